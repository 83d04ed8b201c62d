// The command timeout on drivers that accept the statement timeout attribute but never act on
// it (MariaDB Connector/ODBC 3.1 lets SELECT SLEEP(30) run its 30 seconds under a 1-second
// timeout): a watchdog thread cancels the statement with SQLCancel, which the driver carries out
// by asking the server to kill the query. It waits one second longer than the timeout, so that
// a driver that honours the attribute reports its own timeout first. The statement's own work
// stays on the caller's thread; the watchdog only ever calls SQLCancel.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "backends/odbc/OdbcHandles.h"

namespace hlreports {

class OdbcWatchdog {
  public:
    // Watches `statement` for its CommandTimeout(); none watches a statement without one.
    explicit OdbcWatchdog(const OdbcHandle& statement);
    ~OdbcWatchdog();
    OdbcWatchdog(const OdbcWatchdog&) = delete;
    OdbcWatchdog& operator=(const OdbcWatchdog&) = delete;

    // Stops watching; true when the statement had been cancelled for running too long.
    bool Stop();
    // "the command did not finish within N seconds (the command timeout) and was cancelled"
    std::string TimeoutMessage() const;

  private:
    SQLHSTMT statement_;
    int timeoutSeconds_;
    std::mutex mutex_;
    std::condition_variable finished_;
    bool stopped_ = false;
    bool fired_ = false;
    std::thread thread_;
};

}  // namespace hlreports
