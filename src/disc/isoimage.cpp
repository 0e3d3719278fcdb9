#include "disc/isoimage.h"

// The burn_source interface comes with libisofs; libburn is not used.
#define LIBISOFS_WITHOUT_LIBBURN 1
#include <libisofs/libisofs.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "lang/buildstrings.h"
#include "platform/filesys.h"
#include "platform/growingfile.h"
#include "platform/ioerror.h"

namespace tovix {
namespace {

constexpr int kSector = 2048;
constexpr int kChunk = 32 * kSector;  // the size libburn reads a fifo in

void InitLibrary() {
  static std::once_flag once;
  static int result = 0;
  std::call_once(once, [] {
    result = iso_init();
    // The library's own messages stay inside; a file it cannot read fails the run.
    char never[] = "NEVER", sorry[] = "SORRY", name[] = "tovix";
    iso_set_msgs_severities(never, never, name);
    iso_set_abort_severity(sorry);
  });
  if (result < 0) throw IoError(EIO, BuildText(str::kIsoCannotStart));
}

[[noreturn]] void Fail(const std::string& what, int code) {
  throw IoError(EIO, what + ": " + iso_error_to_msg(code));
}

struct ImageDeleter {
  void operator()(IsoImage* image) const { iso_image_unref(image); }
};
struct OptsDeleter {
  void operator()(IsoWriteOpts* opts) const { iso_write_opts_free(opts); }
};
// Stops the generator thread when the run ends early, then frees the source.
struct BurnSource {
  burn_source* source = nullptr;
  bool finished = false;
  ~BurnSource() {
    if (!source) return;
    if (!finished && source->cancel) source->cancel(source);
    source->free_data(source);
    std::free(source);
  }
};

std::string Parent(const std::string& discPath) {
  const std::size_t slash = discPath.rfind('/');
  return slash == std::string::npos ? "" : discPath.substr(0, slash);
}
std::string Leaf(const std::string& discPath) {
  const std::size_t slash = discPath.rfind('/');
  return slash == std::string::npos ? discPath : discPath.substr(slash + 1);
}

std::unique_ptr<IsoImage, ImageDeleter> BuildImage(const DiscTree& tree) {
  IsoImage* raw = nullptr;
  if (const int r = iso_image_new(tree.volume.c_str(), &raw); r < 0) Fail("CD-Abbild", r);
  std::unique_ptr<IsoImage, ImageDeleter> image(raw);
  iso_tree_set_follow_symlinks(image.get(), 1);
  std::map<std::string, IsoDir*> dirs{{"", iso_image_get_root(image.get())}};
  for (const std::string& folder : tree.folders) {
    const auto parent = dirs.find(Parent(folder));
    IsoDir* dir = nullptr;
    if (parent == dirs.end()) throw IoError(ENOENT, BuildText(str::kIsoBrokenTree, {folder}));
    if (const int r = iso_tree_add_new_dir(parent->second, Leaf(folder).c_str(), &dir); r < 0)
      Fail(folder, r);
    dirs[folder] = dir;
  }
  for (const DiscFile& file : tree.files) {
    const auto parent = dirs.find(Parent(file.path));
    if (parent == dirs.end()) throw IoError(ENOENT, BuildText(str::kIsoBrokenTree, {file.path}));
    const std::string native = platform::ToNative(file.source);
    if (const int r = iso_tree_add_new_node(image.get(), parent->second, Leaf(file.path).c_str(),
                                            native.c_str(), nullptr);
        r < 0)
      Fail(file.source, r);
  }
  return image;
}

std::unique_ptr<IsoWriteOpts, OptsDeleter> LevelOneOptions() {
  IsoWriteOpts* raw = nullptr;
  if (const int r = iso_write_opts_new(&raw, 0); r < 0) Fail("CD-Abbild", r);
  std::unique_ptr<IsoWriteOpts, OptsDeleter> opts(raw);
  // Plain level 1, which these players read: no Rock Ridge, no Joliet.
  iso_write_opts_set_iso_level(opts.get(), 1);
  iso_write_opts_set_rockridge(opts.get(), 0);
  iso_write_opts_set_joliet(opts.get(), 0);
  return opts;
}

}  // namespace

std::int64_t WriteIsoImage(const DiscTree& tree, const std::string& isoPath, bool replace,
                           PassReport* report) {
  InitLibrary();
  auto image = BuildImage(tree);
  auto opts = LevelOneOptions();

  platform::GrowingFile out;
  if (const int e = out.Open(isoPath); e != 0)
    throw IoError(e, BuildText(str::kCannotCreate, {isoPath}));

  BurnSource burn;
  if (const int r = iso_image_create_burn_source(image.get(), opts.get(), &burn.source); r < 0) {
    burn.source = nullptr;
    Fail(isoPath, r);
  }
  const std::int64_t total = burn.source->get_size(burn.source);
  std::vector<unsigned char> buffer(kChunk);
  std::int64_t done = 0;
  while (done < total) {
    if (report && !report->KeepGoing()) throw ImageCancelled();
    const int want = static_cast<int>(std::min<std::int64_t>(kChunk, total - done));
    const int got = burn.source->read_xt(burn.source, buffer.data(), want);
    if (got <= 0) throw IoError(EIO, BuildText(str::kImageFailed));
    if (const int e = out.Append(
            {reinterpret_cast<const char*>(buffer.data()), static_cast<std::size_t>(got)});
        e != 0)
      throw IoError(e, BuildText(str::kCannotWrite, {isoPath}));
    done += got;
    if (report) report->Progress(done, total);
  }
  burn.finished = true;
  if (const int e = out.Commit(replace); e != 0)
    throw IoError(e, BuildText(e == EEXIST ? str::kExistsKept : str::kCannotCreate, {isoPath}));
  return total;
}

}  // namespace tovix
