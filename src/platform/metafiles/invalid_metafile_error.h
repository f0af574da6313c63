#pragma once

#include <exception>
#include <string>

// An EMF or WMF picture that cannot be shown: its structure is broken, the
// converting library rejected it, or converting it crashed or took too long.
class InvalidMetafileError : public std::exception {
public:
    explicit InvalidMetafileError(std::string reason) : m_reason(std::move(reason)) { }
    const char* what() const noexcept override { return m_reason.c_str(); }

private:
    std::string m_reason;
};
