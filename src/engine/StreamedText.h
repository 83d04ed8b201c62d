// Output text that a renderer appends to a string and hands to a stream in pieces of about
// 64 KiB: appending to a string keeps rendering fast, and handing it on keeps memory flat
// however many rows a report prints.
//
// Call order: append to Text(), call HandOnWhenFull() where the text written so far is final
// (between rows), and Finish() once at the end. A stream that fails stays failed; checking it
// is the caller's part.
#pragma once

#include <ostream>
#include <string>

namespace hlreports {

class StreamedText {
  public:
    explicit StreamedText(std::ostream& stream) : stream_(stream) { text_.reserve(PieceBytes * 2); }

    std::string& Text() { return text_; }
    // Whether anything has been written, handed on or not.
    bool HasText() const { return handedOn_ || !text_.empty(); }

    void HandOnWhenFull() {
        if (text_.size() >= PieceBytes) {
            Finish();
        }
    }

    void Finish() {
        stream_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
        handedOn_ = handedOn_ || !text_.empty();
        text_.clear();
    }

  private:
    static constexpr std::size_t PieceBytes = 64 * 1024;
    std::ostream& stream_;
    std::string text_;
    bool handedOn_ = false;
};

}  // namespace hlreports
