// Type names and attribute escaping of rowset XML (declared in RecordsetValueText.h): the
// dt:type/rs:dbtype pairs of every field type in both directions, and the escaping that keeps
// attribute values intact through a standard parser while refusing what XML 1.0 cannot carry.
#include <array>
#include <cstdint>

#include "recordset/AdoTypes.h"
#include "recordset/RecordsetValueText.h"

namespace hlreports {

namespace {

// 0: copy; 1: escape as a reference; 2: refuse (control); 3: non-ASCII, check UTF-8.
constexpr std::array<uint8_t, 256> EscapeTable = [] {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 0x20; ++c) {
        table[static_cast<std::size_t>(c)] = 2;
    }
    for (unsigned char c : {'\t', '\r', '\n', '\'', '"', '&', '<', '>'}) {
        table[c] = 1;
    }
    for (int c = 0x80; c < 0x100; ++c) {
        table[static_cast<std::size_t>(c)] = 3;
    }
    return table;
}();

// Length of the valid UTF-8 sequence at text[at], 0 when invalid.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    if (byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) {
            return 0;
        }
    }
    // U+FFFE and U+FFFF are no XML characters either.
    if (length == 3 && lead == 0xEF && byte(at + 1) == 0xBF && byte(at + 2) >= 0xBE) {
        return 0;
    }
    return length;
}

}  // namespace

XmlTypeText XmlTypeOf(int32_t adoType) {
    switch (adoType) {
        case adVarChar:
        case adChar:
        case adLongVarChar:
            return {"string", "str", 0};
        case adInteger:
            return {"int", nullptr, 4};
        case adSmallInt:
            return {"i2", nullptr, 2};
        case adTinyInt:
            return {"i1", nullptr, 1};
        case adUnsignedTinyInt:
            return {"ui1", nullptr, 1};
        case adUnsignedSmallInt:
            return {"ui2", nullptr, 2};
        case adUnsignedInt:
            return {"ui4", nullptr, 4};
        case adUnsignedBigInt:
            return {"ui8", nullptr, 8};
        case adBigInt:
            return {"i8", nullptr, 8};
        case adDouble:
            return {"float", nullptr, 8};
        case adSingle:
            return {"r4", nullptr, 4};
        case adCurrency:
            return {"number", "currency", 8};
        case adNumeric:
            return {"number", "numeric", 19};
        case adDecimal:
            return {"number", "decimal", 16};
        case adVarNumeric:
            return {"number", "varnumeric", 0};
        case adBoolean:
            return {"boolean", nullptr, 2};
        case adDate:
            return {"dateTime", "variantdate", 16};
        case adDBDate:
            return {"date", nullptr, 6};
        case adDBTime:
            return {"time", nullptr, 6};
        case adDBTimeStamp:
            return {"dateTime", "timestamp", 16};
        case adFileTime:
            return {"dateTime", "filetime", 16};
        case adGUID:
            return {"uuid", nullptr, 16};
        case adBinary:
        case adVarBinary:
        case adLongVarBinary:
            return {"bin.hex", nullptr, 0};
        default:
            return {"string", nullptr, 0};
    }
}

int32_t AdoTypeFromXml(std::string_view type, std::string_view dbType, bool isFixed, bool isLong) {
    if (type == "string") {
        if (dbType == "str") {
            return isLong ? adLongVarChar : isFixed ? adChar : adVarChar;
        }
        return isLong ? adLongVarWChar : isFixed ? adWChar : adVarWChar;
    }
    if (type == "int" || type == "i4") {
        return adInteger;
    }
    if (type == "i2") {
        return adSmallInt;
    }
    if (type == "i1") {
        return adTinyInt;
    }
    if (type == "ui1") {
        return adUnsignedTinyInt;
    }
    if (type == "ui2") {
        return adUnsignedSmallInt;
    }
    if (type == "ui4") {
        return adUnsignedInt;
    }
    if (type == "ui8") {
        return adUnsignedBigInt;
    }
    if (type == "i8") {
        return adBigInt;
    }
    if (type == "float" || type == "r8") {
        return adDouble;
    }
    if (type == "r4") {
        return adSingle;
    }
    if (type == "number") {
        if (dbType == "currency") {
            return adCurrency;
        }
        if (dbType == "numeric") {
            return adNumeric;
        }
        if (dbType == "decimal") {
            return adDecimal;
        }
        return adVarNumeric;
    }
    if (type == "currency") {
        return adCurrency;
    }
    if (type == "decimal") {
        return adDecimal;
    }
    if (type == "boolean") {
        return adBoolean;
    }
    if (type == "dateTime") {
        if (dbType == "variantdate") {
            return adDate;
        }
        if (dbType == "filetime") {
            return adFileTime;
        }
        return adDBTimeStamp;
    }
    if (type == "date") {
        return adDBDate;
    }
    if (type == "time") {
        return adDBTime;
    }
    if (type == "uuid") {
        return adGUID;
    }
    if (type == "bin.hex") {
        return isLong ? adLongVarBinary : isFixed ? adBinary : adVarBinary;
    }
    return adLongVarWChar;
}

bool IsFixedWidthType(int32_t adoType) {
    switch (adoType) {
        case adChar:
        case adWChar:
        case adBinary:
            return true;
        case adVarNumeric:
            return false;
        default:
            return XmlTypeOf(adoType).fixedSize > 0;
    }
}

bool IsLongType(int32_t adoType) {
    return adoType == adLongVarChar || adoType == adLongVarWChar || adoType == adLongVarBinary ||
           adoType == adBSTR;
}

bool HasScale(int32_t adoType) {
    return adoType == adNumeric || adoType == adDecimal || adoType == adDBTimeStamp;
}

EscapeResult AppendEscaped(std::string& out, std::string_view text) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::size_t runStart = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const uint8_t action = EscapeTable[byte];
        if (action == 0) {
            ++at;
            continue;
        }
        if (action == 3) {
            const std::size_t length = Utf8SequenceLength(text, at);
            if (length == 0) {
                return {EscapeResultKind::InvalidUtf8, byte};
            }
            at += length;
            continue;
        }
        if (action == 2) {
            return {EscapeResultKind::ControlCharacter, byte};
        }
        out.append(text.data() + runStart, at - runStart);
        out.append("&#x");
        if (byte >= 0x10) {
            out.push_back(Hex[byte >> 4]);
        }
        out.push_back(Hex[byte & 0xF]);
        out.push_back(';');
        ++at;
        runStart = at;
    }
    out.append(text.data() + runStart, text.size() - runStart);
    return {};
}

}  // namespace hlreports
