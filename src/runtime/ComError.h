// ComError: the one exception type of the component. A raised error carries the classic triple
// (number, source, description) that callers and the host rely on; see docs/errors.md.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace hlreports {

// Error numbers of the classic runtime that several subsystems raise.
namespace ErrorNumber {
inline constexpr int32_t Overflow = 6;
inline constexpr int32_t SubscriptOutOfRange = 9;
inline constexpr int32_t TypeMismatch = 13;
inline constexpr int32_t ObjectRequired = 91;  // "no object": the runner reads it as no data
inline constexpr int32_t InvalidUseOfNull = 94;
inline constexpr int32_t InvalidProcedureCall = 5;
inline constexpr int32_t KeyAlreadyExists = 457;
inline constexpr int32_t ArgumentsWrong = 3001;   // recordset: bad criteria, bad argument
inline constexpr int32_t NoCurrentRecord = 3021;  // recordset at BOF or EOF
inline constexpr int32_t ItemNotFound = 3265;     // recordset: unknown field
inline constexpr int32_t ObjectClosed = 3704;     // recordset: operation on a closed recordset
inline constexpr int32_t FirstObjectError = static_cast<int32_t>(0x80040000u);
inline constexpr int32_t UserCancelled = 20545;
inline constexpr int32_t ReportFileNotFound = 20507;
inline constexpr int32_t DatabaseError = static_cast<int32_t>(0x80004005u);
}  // namespace ErrorNumber

class ComError : public std::runtime_error {
  public:
    ComError(int32_t number, std::string source, std::string description)
        : std::runtime_error(description),
          number_(number),
          source_(std::move(source)),
          description_(std::move(description)) {}

    int32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

  private:
    int32_t number_;
    std::string source_;
    std::string description_;
};

}  // namespace hlreports
