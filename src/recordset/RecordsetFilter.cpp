// Criteria parsing and evaluation; the grammar and its reasons are in RecordsetFilter.h.
#include "recordset/RecordsetFilter.h"

#include <bit>
#include <cmath>

#include "runtime/ComError.h"
#include "runtime/Date.h"
#include "runtime/Text.h"
#include "runtime/Variant.h"

namespace hlreports {

namespace {

constexpr const char* BadCriterionText =
    "Arguments are of the wrong type, are out of acceptable range, or are in conflict with one "
    "another.";
constexpr const char* UnknownFieldText =
    "Item cannot be found in the collection corresponding to the requested name or ordinal.";

char Fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Characters that end a bare word.
bool IsDelimiter(char c) {
    return IsSpace(c) || c == '(' || c == ')' || c == '=' || c == '<' || c == '>' || c == '\'' ||
           c == '#' || c == '[' || c == ']';
}

enum class LiteralKind { Text, Hash, Number };

struct Literal {
    LiteralKind kind;
    std::string text;
};

}  // namespace

int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(Fold(a[i]));
        const auto y = static_cast<unsigned char>(Fold(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

class CriteriaParser {
  public:
    CriteriaParser(std::string_view text, const RowStore& store, CriteriaUse use,
                   const char* source)
        : text_(text), store_(store), use_(use), source_(source) {}

    Criteria Parse() {
        Criteria criteria;
        criteria.groups_.push_back(ParseConjunct());
        while (Keyword("OR")) {
            criteria.groups_.push_back(ParseConjunct());
        }
        SkipSpace();
        if (at_ != text_.size()) {
            Fail();
        }
        return criteria;
    }

  private:
    using Clause = Criteria::Clause;
    using Operator = Criteria::Operator;
    using LikeKind = Criteria::LikeKind;

    [[noreturn]] void Fail() const {
        throw ComError(ErrorNumber::ArgumentsWrong, source_, BadCriterionText);
    }

    void SkipSpace() {
        while (at_ < text_.size() && IsSpace(text_[at_])) {
            ++at_;
        }
    }

    bool Peek(char c) {
        SkipSpace();
        return at_ < text_.size() && text_[at_] == c;
    }

    bool Keyword(std::string_view word) {
        SkipSpace();
        if (!StartsWithIgnoreCase(text_.substr(at_), word)) {
            return false;
        }
        const std::size_t end = at_ + word.size();
        if (end < text_.size() && !IsDelimiter(text_[end])) {
            return false;
        }
        at_ = end;
        return true;
    }

    std::vector<Clause> ParseConjunct() {
        std::vector<Clause> clauses;
        ParseTerm(clauses);
        while (Keyword("AND")) {
            ParseTerm(clauses);
        }
        return clauses;
    }

    // A clause, or a parenthesised AND-group; an OR inside parentheses fails at the ')' check.
    void ParseTerm(std::vector<Clause>& clauses) {
        if (Peek('(')) {
            ++at_;
            ParseTerm(clauses);
            while (Keyword("AND")) {
                ParseTerm(clauses);
            }
            if (!Peek(')')) {
                Fail();
            }
            ++at_;
            return;
        }
        clauses.push_back(ParseClause());
    }

    std::string ParseFieldName() {
        SkipSpace();
        if (at_ < text_.size() && text_[at_] == '[') {
            const std::size_t close = text_.find(']', at_ + 1);
            if (close == std::string_view::npos) {
                Fail();
            }
            std::string name(text_.substr(at_ + 1, close - at_ - 1));
            at_ = close + 1;
            return name;
        }
        const std::size_t start = at_;
        while (at_ < text_.size() && !IsDelimiter(text_[at_])) {
            ++at_;
        }
        if (at_ == start) {
            Fail();
        }
        return std::string(text_.substr(start, at_ - start));
    }

    Operator ParseOperator() {
        SkipSpace();
        const std::string_view rest = text_.substr(at_);
        static constexpr std::pair<std::string_view, Operator> symbols[] = {
            {"<=", Operator::LessEqual}, {">=", Operator::GreaterEqual}, {"<>", Operator::NotEqual},
            {"=", Operator::Equal},      {"<", Operator::Less},          {">", Operator::Greater},
        };
        for (const auto& [symbol, op] : symbols) {
            if (rest.starts_with(symbol)) {
                at_ += symbol.size();
                return op;
            }
        }
        if (Keyword("LIKE")) {
            return Operator::Like;
        }
        Fail();
    }

    Literal ParseLiteral() {
        SkipSpace();
        if (at_ >= text_.size()) {
            Fail();
        }
        const char first = text_[at_];
        if (first == '\'') {
            std::string value;
            ++at_;
            while (true) {
                if (at_ >= text_.size()) {
                    Fail();  // unterminated quote
                }
                if (text_[at_] == '\'') {
                    if (at_ + 1 < text_.size() && text_[at_ + 1] == '\'') {
                        value.push_back('\'');
                        at_ += 2;
                        continue;
                    }
                    ++at_;
                    return {LiteralKind::Text, value};
                }
                value.push_back(text_[at_++]);
            }
        }
        if (first == '#') {
            const std::size_t close = text_.find('#', at_ + 1);
            if (close == std::string_view::npos) {
                Fail();
            }
            std::string value(text_.substr(at_ + 1, close - at_ - 1));
            at_ = close + 1;
            return {LiteralKind::Hash, value};
        }
        const std::size_t start = at_;
        while (at_ < text_.size() && !IsDelimiter(text_[at_])) {
            ++at_;
        }
        std::string word(text_.substr(start, at_ - start));
        const std::optional<double> number = ParseNumericText(word);
        if (word.empty() || !number || !std::isfinite(*number) || IsSpace(word.front())) {
            Fail();
        }
        return {LiteralKind::Number, word};
    }

    Clause ParseClause() {
        const std::string name = ParseFieldName();
        Clause clause;
        clause.field = FindField(name);
        clause.kind = store_.Kind(clause.field);
        clause.op = ParseOperator();
        Bind(clause, ParseLiteral());
        return clause;
    }

    int FindField(std::string_view name) const {
        for (int i = 0; i < store_.FieldCount(); ++i) {
            if (EqualsIgnoreCase(store_.Field(i).name, name)) {
                return i;
            }
        }
        throw ComError(ErrorNumber::ItemNotFound, source_, UnknownFieldText);
    }

    double NumberOf(const Literal& literal) const {
        const std::optional<double> number = ParseNumericText(literal.text);
        if (!number || !std::isfinite(*number)) {
            Fail();
        }
        return *number;
    }

    void BindLike(Clause& clause, std::string pattern) const {
        const auto isWild = [](char c) { return c == '*' || c == '%'; };
        const bool trailing = !pattern.empty() && isWild(pattern.back());
        if (trailing) {
            pattern.pop_back();
        }
        const bool leading = !pattern.empty() && isWild(pattern.front());
        if (leading) {
            pattern.erase(0, 1);
        }
        if (leading && !trailing) {
            Fail();  // a wildcard only at the start is not supported
        }
        for (const char c : pattern) {
            if (isWild(c)) {
                Fail();  // nor one in the middle
            }
        }
        clause.text = std::move(pattern);
        if (!trailing) {
            clause.like = LikeKind::Exact;
        } else if (clause.text.empty()) {
            clause.like = LikeKind::Everything;
        } else {
            clause.like = leading ? LikeKind::Contains : LikeKind::Prefix;
        }
    }

    void Bind(Clause& clause, const Literal& literal) const {
        if (clause.op == Operator::Like) {
            if (clause.kind != CellKind::Text) {
                Fail();
            }
            BindLike(clause, literal.text);
            return;
        }
        switch (clause.kind) {
            case CellKind::Text:
                clause.text = literal.text;
                return;
            case CellKind::Date: {
                if (literal.kind == LiteralKind::Number) {
                    Fail();
                }
                // Find takes dates to the second; a fraction after the seconds is refused.
                const std::size_t colon = literal.text.rfind(':');
                if (use_ == CriteriaUse::Find && colon != std::string::npos &&
                    literal.text.find('.', colon) != std::string::npos) {
                    Fail();
                }
                const std::optional<Date> date = Date::Parse(literal.text);
                if (!date) {
                    Fail();
                }
                clause.day = LinearDayNumber(date->DayNumber());
                return;
            }
            case CellKind::Boolean:
                if (EqualsIgnoreCase(literal.text, "true")) {
                    clause.number = 1;
                } else if (EqualsIgnoreCase(literal.text, "false")) {
                    clause.number = 0;
                } else {
                    clause.number = NumberOf(literal) != 0 ? 1 : 0;
                }
                return;
            case CellKind::Currency: {
                const double scaled = std::nearbyint(NumberOf(literal) * 10000);
                if (!(scaled >= -9.2233720368547758e18 && scaled < 9.2233720368547758e18)) {
                    Fail();
                }
                clause.scaled = static_cast<int64_t>(scaled);
                return;
            }
            default:
                clause.number = NumberOf(literal);
                return;
        }
    }

    std::string_view text_;
    std::size_t at_ = 0;
    const RowStore& store_;
    CriteriaUse use_;
    const char* source_;
};

Criteria Criteria::Parse(std::string_view text, const RowStore& store, CriteriaUse use,
                         const char* source) {
    Criteria criteria = CriteriaParser(text, store, use, source).Parse();
    if (use == CriteriaUse::Find &&
        (criteria.groups_.size() != 1 || criteria.groups_.front().size() != 1)) {
        // Find takes one clause: searching on several columns is not supported.
        throw ComError(ErrorNumber::ArgumentsWrong, source, BadCriterionText);
    }
    return criteria;
}

bool Criteria::Matches(const RowStore& store, uint32_t row) const {
    for (const std::vector<Clause>& group : groups_) {
        bool all = true;
        for (const Clause& clause : group) {
            if (!ClauseMatches(clause, store, row)) {
                all = false;
                break;
            }
        }
        if (all) {
            return true;
        }
    }
    return false;
}

bool Criteria::ClauseMatches(const Clause& clause, const RowStore& store, uint32_t row) {
    if (store.IsNull(clause.field, row)) {
        return false;
    }
    int order = 0;
    switch (clause.kind) {
        case CellKind::Text: {
            const std::string_view value = store.Text(clause.field, row);
            if (clause.op == Operator::Like) {
                switch (clause.like) {
                    case LikeKind::Exact:
                        return EqualsIgnoreCase(value, clause.text);
                    case LikeKind::Prefix:
                        return StartsWithIgnoreCase(value, clause.text);
                    case LikeKind::Contains:
                        return ContainsIgnoreCase(value, clause.text);
                    case LikeKind::Everything:
                        return true;
                }
            }
            if (clause.op == Operator::Equal) {
                return EqualsIgnoreCase(value, clause.text);
            }
            if (clause.op == Operator::NotEqual) {
                return !EqualsIgnoreCase(value, clause.text);
            }
            order = CompareIgnoringCase(value, clause.text);
            break;
        }
        case CellKind::Currency: {
            const int64_t value = store.Signed(clause.field, row);
            order = value < clause.scaled ? -1 : value > clause.scaled ? 1 : 0;
            break;
        }
        case CellKind::Date: {
            const double value = LinearDayNumber(store.Real(clause.field, row));
            order = value < clause.day ? -1 : value > clause.day ? 1 : 0;
            break;
        }
        default: {
            long double value = 0;
            switch (clause.kind) {
                case CellKind::Double:
                case CellKind::Single:
                    value = store.Real(clause.field, row);
                    break;
                case CellKind::UnsignedBigInt:
                    value = static_cast<long double>(store.Bits(clause.field, row));
                    break;
                default:
                    value = static_cast<long double>(store.Signed(clause.field, row));
                    break;
            }
            order = value < clause.number ? -1 : value > clause.number ? 1 : 0;
            break;
        }
    }
    switch (clause.op) {
        case Operator::Equal:
            return order == 0;
        case Operator::NotEqual:
            return order != 0;
        case Operator::Less:
            return order < 0;
        case Operator::Greater:
            return order > 0;
        case Operator::LessEqual:
            return order <= 0;
        case Operator::GreaterEqual:
            return order >= 0;
        case Operator::Like:
            return false;
    }
    return false;
}

}  // namespace hlreports
