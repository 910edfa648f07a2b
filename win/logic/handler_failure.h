// The one failure type: what a line run under a handler's error trap throws, worded for the report.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <utility>

namespace win {

// Its description is UTF-16, as the report that shows it. Copies share the text, so copying one never fails.
class HandlerFailure : public std::exception {
public:
    explicit HandlerFailure(std::wstring description)
        : description_(std::make_shared<const std::wstring>(std::move(description))) {}

    const std::wstring& Description() const noexcept { return *description_; }
    const char* what() const noexcept override { return "HandlerFailure"; }

private:
    std::shared_ptr<const std::wstring> description_;
};

}  // namespace win
