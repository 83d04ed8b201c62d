// Values across the ODBC boundary: a Variant to a bound parameter (input, output or both) whose
// value is read back after the call, and the exact money and decimal values of driver text.
// Result cells go into a recordset through OdbcCells.h.
//
// Dates travel as ODBC date/timestamp structures and decimals as their exact text, so neither is
// rounded on the way; text travels as UTF-16. Output and input/output parameters are bound as
// UTF-8 text of every type and read back by their type: MariaDB's driver writes output values
// as text whatever C type is bound, and every driver can convert to text. A value that does not fit
// its type is refused with a ComError naming the place ("procedure sp_x: parameter @Days: 'abc' is
// not a number"); nothing is silently turned into NULL or zero.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backends/odbc/OdbcHandles.h"
#include "backends/odbc/OdbcTypes.h"
#include "runtime/Date.h"
#include "runtime/Variant.h"

namespace hlreports {

// Exact values of the text a driver gives for money and decimals; refused, naming `place`, when
// the text is no such value.
int64_t CurrencyOfText(std::string_view text, std::string_view place);
Decimal DecimalOfText(std::string_view text, std::string_view place);

// One bound procedure parameter. The object must stay put from Bind until its Output is read
// (the driver writes into it), so callers hold these in a container that never moves them.
class OdbcParameter {
  public:
    // `adoType` decides the buffer; `size` is the text size in characters (0: as long as the
    // value, or 4000 for an output). Input values are converted here and refused when they do
    // not fit; a text longer than a given `size` is refused rather than cut.
    OdbcParameter(int32_t adoType, int32_t size, int32_t direction, const Variant& value,
                  std::string place);
    OdbcParameter(const OdbcParameter&) = delete;
    OdbcParameter& operator=(const OdbcParameter&) = delete;

    void Bind(const OdbcHandle& statement, SQLUSMALLINT position);
    // The value the driver left (Null for NULL); only for output and input/output parameters.
    Variant Output() const;

  private:
    int32_t adoType_;
    OdbcValueKind kind_;
    int32_t direction_;
    std::string place_;
    SQLLEN indicator_ = SQL_NULL_DATA;
    std::vector<unsigned char> buffer_;
    SQLULEN columnSize_ = 0;
    SQLSMALLINT digits_ = 0;
    bool textual_ = false;  // bound as SQL_C_CHAR text

    void PrepareInput(const Variant& value, bool hasInput);
    void PrepareTextual(const Variant& value, bool hasInput, int32_t size);
    Variant TextualOutput() const;
    // The input as a number (refused when it is none); nothing for NULL or a non-number type.
    std::optional<double> NumberInput(const Variant& value, bool hasInput) const;
    Date DateInput(const Variant& value) const;
    std::string DecimalInput(const Variant& value, double number) const;
};

// Exact decimal text of a currency value ("-12.5" for -125000 scaled by 10000).
std::string CurrencyText(int64_t scaledBy10000);

}  // namespace hlreports
