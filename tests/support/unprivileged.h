#pragma once
// File permissions do not bind root, and CI runs the tests as root: cases
// about read-only files run their step in a child that gives up root first.
#include <functional>
#include <string>
#include <vector>

namespace tovix::test {

// Runs body in a forked child and returns its result (0..255), or -1 when
// the child could not give up root or did not end normally. When this
// process is root, paths (native) are first handed to the user "nobody"
// (uid and gid 65534) and the child becomes that user, so permissions bind
// it as they bind everyone else; otherwise the child keeps this user.
int RunUnprivileged(const std::vector<std::string>& paths, const std::function<int()>& body);

}  // namespace tovix::test
