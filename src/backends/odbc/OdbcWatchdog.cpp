// The statement watchdog (see OdbcWatchdog.h).
#include "backends/odbc/OdbcWatchdog.h"

#include <chrono>

namespace hlreports {

OdbcWatchdog::OdbcWatchdog(const OdbcHandle& statement)
    : statement_(statement.Get()), timeoutSeconds_(statement.CommandTimeout()) {
    if (timeoutSeconds_ <= 0) {
        return;
    }
    thread_ = std::thread([this] {
        std::unique_lock<std::mutex> lock(mutex_);
        const auto deadline = std::chrono::seconds(timeoutSeconds_ + 1);
        if (!finished_.wait_for(lock, deadline, [this] { return stopped_; })) {
            fired_ = true;
            SQLCancel(statement_);
        }
    });
}

OdbcWatchdog::~OdbcWatchdog() {
    Stop();
}

bool OdbcWatchdog::Stop() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stopped_ = true;
    }
    finished_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
    return fired_;
}

std::string OdbcWatchdog::TimeoutMessage() const {
    return "the command did not finish within " + std::to_string(timeoutSeconds_) +
           (timeoutSeconds_ == 1 ? " second" : " seconds") +
           " (the command timeout) and was cancelled";
}

}  // namespace hlreports
