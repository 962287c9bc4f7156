// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace pigmentry {

// What an operation that can fail gives back: done, or the reason it was not,
// in words for the user. True when done. (A parser gives back what it read, or
// nothing with the reason beside it.)
class [[nodiscard]] Result {
public:
    Result() = default;
    static Result failure(QString reason) { return Result(std::move(reason)); }

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    // Why it failed; empty when it did not.
    const QString &error() const { return error_; }

private:
    explicit Result(QString reason)
        : error_(std::move(reason))
        , failed_(true)
    { }

    QString error_;
    bool failed_ = false;
};

} // namespace pigmentry
