// The one Session of the process. It is created on first use and replaced whole by
// ResetSession, so a test starts from the same state a fresh process has.
#include "runtime/Session.h"

namespace hlreports {

namespace {

std::unique_ptr<Session>& Holder() {
    static std::unique_ptr<Session> session;
    return session;
}

}  // namespace

Session& TheSession() {
    auto& session = Holder();
    if (!session) {
        session = std::make_unique<Session>();
    }
    return *session;
}

void ResetSession() {
    // Move assignment installs the fresh session before the old one is destroyed, so destructors
    // of the old shared objects that reach TheSession() find a valid (new) session.
    Holder() = std::make_unique<Session>();
}

}  // namespace hlreports
