// Sets (or, given no value, removes) an environment variable for one scope and puts the earlier
// state back.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace hlreports::test {

class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* earlier = std::getenv(name)) {
            earlier_ = earlier;
        }
        if (value) {
            setenv(name, value->c_str(), 1);
            return;
        }
        unsetenv(name);
    }
    ~ScopedVariable() {
        if (earlier_) {
            setenv(name_, earlier_->c_str(), 1);
            return;
        }
        unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* name_;
    std::optional<std::string> earlier_;
};

}  // namespace hlreports::test
