#include "cli/clifixture.h"

#include <sys/stat.h>

#include <filesystem>

#include "rename/mp3fixture.h"
#include "support/unprivileged.h"

namespace tovix::test {

namespace fs = std::filesystem;

std::map<std::string, std::string> Tree(const std::string& folder) {
  std::map<std::string, std::string> tree;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    const std::string relative = fs::relative(e.path(), folder).string();
    tree[relative] = e.is_directory() ? "<dir>" : ReadFile(e.path().string());
  }
  return tree;
}

std::string Differences(const std::map<std::string, std::string>& a,
                        const std::map<std::string, std::string>& b) {
  std::string text;
  for (const auto& [name, bytes] : a)
    if (!b.count(name) || b.at(name) != bytes) text += " " + name;
  for (const auto& [name, bytes] : b)
    if (!a.count(name)) text += " +" + name;
  return text;
}

bool MakeProgramFolder(const TempDir& folder) {
  std::error_code ec;
  return chmod(folder.path().c_str(), 0755) == 0 &&
         fs::copy_file(SourceDir() + "tests/support/lsan.supp", folder.file("lsan.supp"), ec) &&
         MirrorProgramFiles(folder.path(),
                            {"tovix-cli", "libtovix-cli-pictures.so", "tovix-cmd", "mklogo",
                             "c2bin", "tovix.lng", "Mp3ToMp3.bat", "Wavtomp3.bat"});
}

CliFixture::CliFixture(const std::string& program, const std::string& settings)
    : program_(program) {
  chmod(root_.path().c_str(), 0755);
  for (const char* folder : {"music", "bins", "recode", "lists", "work", "conf"})
    fs::create_directory(root_.file(folder));
  PutFile(root_.file("music"), "track01.mp3", Song("Band", "Erster Titel", 'a'));
  PutFile(root_.file("music"), "Caf\xE9 ohne Tag.mp3", Song("", "", 'b'));
  WriteFile(root_.file("lists/plan.txt"),
            "\"track01.mp3\"=\"Band - Erster Titel.mp3\"\r\n"
            "\"Caf\xE9 ohne Tag.mp3\"=\"Neu - Caf\xE9.mp3\"\r\n");
  // The folders in the file, not as --set: a run with overrides first
  // writes a copy of the settings, and that would be the first write.
  WriteFile(root_.file("conf/tovix.ini"),
            "; meine\r\n[Tovix]\r\nSprache=0\r\nmp3dir=" + root_.file("music") + "\r\nbindir=" +
                root_.file("bins") + "\r\nwavedir=" + root_.file("recode") + "\r\n" + settings);
  // Owned by the unprivileged user, as a user's own files are.
  paths_ = {root_.path(), out_.path()};
  for (const auto& e : fs::recursive_directory_iterator(root_.path()))
    paths_.push_back(e.path().string());
}

void CliFixture::Put(const std::string& name, const std::string& bytes) {
  WriteFile(root_.file(name), bytes);
  paths_.push_back(root_.file(name));
}

std::vector<std::string> CliFixture::Call(const std::vector<std::string>& args) const {
  std::vector<std::string> call = {"--ini", root_.file("conf/tovix.ini")};
  call.insert(call.end(), args.begin(), args.end());
  return call;
}

std::vector<std::string> CliFixture::Environment() const {
  // Qt's runtime folder in the output folder, not among the checked ones;
  // the leak checker's list of known leaks where the user can read it.
  return EnvironmentWith({{"TMPDIR", root_.file("work")},
                          {"XDG_RUNTIME_DIR", out_.path()},
                          {"LSAN_OPTIONS", "suppressions=" + program_ + "lsan.supp"}});
}

CliOutcome CliFixture::Run(const std::vector<std::string>& args) {
  CliOutcome outcome;
  outcome.exitCode = RunUnprivileged(paths_, [&] {
    const CliOutcome run = RunCliFrom(program_, Call(args), root_.path(), Environment());
    WriteFile(out_.file("out"), run.out);
    WriteFile(out_.file("err"), run.err);
    return run.exitCode;
  });
  outcome.out = ReadFile(out_.file("out"));
  outcome.err = ReadFile(out_.file("err"));
  return outcome;
}

CliOutcome CliFixture::RunLimited(const std::vector<std::string>& args, unsigned long bytes) {
  return RunCliFrom(program_, Call(args), root_.path(), Environment(), bytes);
}

}  // namespace tovix::test
