#include "cmd/batchtest.h"

#include <algorithm>
#include <cstdio>

#include "cmd/interpreter.h"

namespace tovix::test {

BatchTest::BatchTest() : oldCwd_(std::filesystem::current_path()) {
  std::filesystem::current_path(dir_.path());
}

BatchTest::~BatchTest() {
  std::error_code ec;
  std::filesystem::current_path(oldCwd_, ec);
}

void BatchTest::Put(const std::string& name, const std::string& bytes) {
  WriteFile(dir_.file(name), bytes);
}

std::string BatchTest::Get(const std::string& name) const {
  return ReadFile(dir_.file(name));
}

bool BatchTest::Has(const std::string& name) const {
  return std::filesystem::exists(dir_.file(name));
}

void BatchTest::Script(const std::string& name, const std::string& body) {
  Put(name, "#!/bin/sh\n" + body + "\n");
  std::filesystem::permissions(dir_.file(name), std::filesystem::perms::owner_all);
}

std::vector<std::string> BatchTest::Names(const std::string& dir) const {
  std::vector<std::string> names;
  for (auto& e : std::filesystem::directory_iterator(dir_.file(dir)))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

BatchTest::Result BatchTest::Run(const std::string& text, const std::vector<std::string>& args) {
  Put("test.bat", text);
  std::FILE* in = std::fopen("/dev/null", "rb");
  std::FILE* out = std::fopen(side_.file("out").c_str(), "wb");
  std::FILE* err = std::fopen(side_.file("err").c_str(), "wb");
  EXPECT_TRUE(in && out && err);
  Result r;
  {
    cmd::Interpreter interpreter({fileno(in), fileno(out), fileno(err)});
    r.level = interpreter.RunFile("test.bat", args);
  }
  std::fclose(in);
  std::fclose(out);
  std::fclose(err);
  r.out = ReadFile(side_.file("out"));
  r.err = ReadFile(side_.file("err"));
  return r;
}

std::string Bat(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

std::string Crlf(const std::vector<std::string>& lines) {
  return Bat(lines);
}

}  // namespace tovix::test
