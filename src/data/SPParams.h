// SPParam / SPParams: the ordered, keyed list of stored-procedure parameters that callers build,
// the wrapper turns into a call, and the wrapper fills with output values afterwards.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"

namespace hlreports {

class SPParam {
  public:
    const std::string& name() const { return name_; }
    void set_name(std::string value) { name_ = std::move(value); }
    int32_t DataType() const { return dataType_; }
    void SetDataType(int32_t value) { dataType_ = value; }
    int16_t Size() const { return size_; }
    void SetSize(int16_t value) { size_ = value; }
    int32_t Direction() const { return direction_; }
    void SetDirection(int32_t value) { direction_ = value; }
    const Variant& Value() const { return value_; }
    void SetValue(Variant value) { value_ = std::move(value); }

  private:
    std::string name_;
    int32_t dataType_ = 0;
    int16_t size_ = 0;
    int32_t direction_ = 0;
    Variant value_;
};

class SPParams {
  public:
    // Appends a parameter keyed by name (keys compare ignoring case, as a collection's do).
    // A duplicate name raises 457 "This key is already associated with an element of this
    // collection" and leaves the list unchanged. Outputs are added with Variant::Missing().
    void Add(std::string name, int32_t dataType, int16_t size, int32_t direction, Variant value);
    // By name, or by 1-based position; an unknown key raises 5 "Invalid procedure call or
    // argument".
    SPParam& Item(std::string_view name);
    SPParam& Item(int position);
    const SPParam& Item(std::string_view name) const;
    // The value by name; Empty for a name never added.
    Variant GetValue(std::string_view name) const;
    int Count() const { return static_cast<int>(items_.size()); }
    void Clear() { items_.clear(); }

    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

  private:
    std::vector<SPParam> items_;
    SPParam* Find(std::string_view name);
    const SPParam* Find(std::string_view name) const;
};

}  // namespace hlreports
