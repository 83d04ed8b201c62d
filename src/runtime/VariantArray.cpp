// VariantArray: bounds checks and row-major indexing. Every access is checked, as the classic
// runtime checks subscripts; a wrong subscript is error 9, never undefined behaviour.
#include <limits>

#include "runtime/ComError.h"
#include "runtime/RuntimeErrors.h"
#include "runtime/Variant.h"

namespace hlreports {

namespace {

// A negative count, or bounds whose upper end leaves the int range, is no array.
void RequireBounds(int lower, int count) {
    if (count < 0 || int64_t{lower} + count - 1 > std::numeric_limits<int>::max()) {
        RaiseRuntimeError(ErrorNumber::SubscriptOutOfRange);
    }
}

}  // namespace

VariantArray::VariantArray(int lower0, int count0) : lower_{lower0, 0}, count_{count0, 0} {
    RequireBounds(lower0, count0);
    elements_.resize(static_cast<std::size_t>(count0));
}

VariantArray::VariantArray(int lower0, int count0, int lower1, int count1)
    : dimensions_(2), lower_{lower0, lower1}, count_{count0, count1} {
    RequireBounds(lower0, count0);
    RequireBounds(lower1, count1);
    elements_.resize(static_cast<std::size_t>(count0) * static_cast<std::size_t>(count1));
}

int VariantArray::LowerBound(int dimension) const {
    if (dimension < 1 || dimension > dimensions_) {
        RaiseRuntimeError(ErrorNumber::SubscriptOutOfRange);
    }
    return lower_[dimension - 1];
}

int VariantArray::UpperBound(int dimension) const {
    // In 64 bits: an empty array at the lowest int bound has its upper bound below the range.
    const int64_t upper = int64_t{LowerBound(dimension)} + count_[dimension - 1] - 1;
    return static_cast<int>(upper);
}

std::size_t VariantArray::Index(int i) const {
    const int64_t offset = int64_t{i} - lower_[0];
    if (dimensions_ != 1 || offset < 0 || offset >= count_[0]) {
        RaiseRuntimeError(ErrorNumber::SubscriptOutOfRange);
    }
    return static_cast<std::size_t>(offset);
}

std::size_t VariantArray::Index(int i, int j) const {
    const int64_t offset0 = int64_t{i} - lower_[0];
    const int64_t offset1 = int64_t{j} - lower_[1];
    if (dimensions_ != 2 || offset0 < 0 || offset0 >= count_[0] || offset1 < 0 ||
        offset1 >= count_[1]) {
        RaiseRuntimeError(ErrorNumber::SubscriptOutOfRange);
    }
    return static_cast<std::size_t>(offset0) * static_cast<std::size_t>(count_[1]) +
           static_cast<std::size_t>(offset1);
}

const Variant& VariantArray::At(int i) const {
    return elements_[Index(i)];
}

Variant& VariantArray::At(int i) {
    return elements_[Index(i)];
}

const Variant& VariantArray::At(int i, int j) const {
    return elements_[Index(i, j)];
}

Variant& VariantArray::At(int i, int j) {
    return elements_[Index(i, j)];
}

bool operator==(const VariantArray& a, const VariantArray& b) {
    if (a.dimensions_ != b.dimensions_) {
        return false;
    }
    for (int d = 0; d < a.dimensions_; ++d) {
        if (a.lower_[d] != b.lower_[d] || a.count_[d] != b.count_[d]) {
            return false;
        }
    }
    return a.elements_ == b.elements_;
}

}  // namespace hlreports
