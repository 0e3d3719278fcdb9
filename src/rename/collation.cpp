#include "rename/collation.h"

#include <unicode/coll.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numeric>

#include "platform/codepage.h"

namespace tovix {
namespace {

using SortKey = std::vector<std::uint8_t>;

std::unique_ptr<icu::Collator> MakeCollator() {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Collator> collator(
      icu::Collator::createInstance(icu::Locale(CollationLocale().c_str()), status));
  if (U_FAILURE(status) || !collator) {
    status = U_ZERO_ERROR;
    collator.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
  }
  if (!collator) return nullptr;
  // Secondary: letters and accents count, case does not.
  collator->setStrength(icu::Collator::SECONDARY);
  return collator;
}

SortKey KeyOf(const icu::Collator& collator, const std::string& text) {
  const icu::UnicodeString u = icu::UnicodeString::fromUTF8(platform::AnsiToUtf8(text));
  SortKey key(64);
  int32_t need = collator.getSortKey(u, key.data(), static_cast<int32_t>(key.size()));
  if (need > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<std::size_t>(need));
    need = collator.getSortKey(u, key.data(), need);
  }
  key.resize(static_cast<std::size_t>(std::max(need, 0)));
  return key;
}

// Sorted order as indices into texts, with the keys that decided it.
std::vector<std::size_t> SortedOrder(const std::vector<std::string>& texts,
                                     std::vector<SortKey>& keys) {
  std::vector<std::size_t> order(texts.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  const auto collator = MakeCollator();
  keys.clear();
  for (const std::string& t : texts) {
    if (collator) {
      keys.push_back(KeyOf(*collator, t));
    } else {
      keys.emplace_back(t.begin(), t.end());
    }
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  return order;
}

// Equal sort keys are not enough to call two texts the same: the collation
// also ties "2" with a superscript two and "a" with a feminine ordinal,
// and those are different files.
bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  const icu::UnicodeString ua = icu::UnicodeString::fromUTF8(platform::AnsiToUtf8(a));
  const icu::UnicodeString ub = icu::UnicodeString::fromUTF8(platform::AnsiToUtf8(b));
  return ua.caseCompare(ub, U_FOLD_CASE_DEFAULT) == 0;
}

}  // namespace

std::vector<std::size_t> CollatedOrder(const std::vector<std::string>& texts, bool dropEqual) {
  std::vector<SortKey> keys;
  const std::vector<std::size_t> order = SortedOrder(texts, keys);
  std::vector<std::size_t> out;
  out.reserve(order.size());
  std::size_t tieStart = 0;  // first entry of out whose key equals the current one
  for (std::size_t i : order) {
    if (out.empty() || keys[out.back()] != keys[i]) {
      tieStart = out.size();
    } else if (dropEqual && std::any_of(out.begin() + static_cast<std::ptrdiff_t>(tieStart),
                                        out.end(), [&](std::size_t kept) {
                                          return EqualIgnoringCase(texts[kept], texts[i]);
                                        })) {
      continue;
    }
    out.push_back(i);
  }
  return out;
}

namespace {

void Arrange(std::vector<std::string>& texts, bool dropEqual) {
  std::vector<std::string> out;
  for (std::size_t i : CollatedOrder(texts, dropEqual)) out.push_back(std::move(texts[i]));
  texts.swap(out);
}

std::string LocaleFromEnvironment() {
  for (const char* name : {"LC_ALL", "LC_COLLATE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return "";
}

}  // namespace

std::string CollationLocale() {
  std::string name = LocaleFromEnvironment();
  // "de_DE.UTF-8@euro" -> "de_DE"
  name = name.substr(0, name.find_first_of(".@"));
  if (name.empty() || name == "C" || name == "POSIX") return "de_DE";
  return name;
}

void SortNoCase(std::vector<std::string>& texts) {
  Arrange(texts, false);
}

void SortUniqueNoCase(std::vector<std::string>& texts) {
  Arrange(texts, true);
}

}  // namespace tovix
