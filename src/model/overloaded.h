#pragma once

// Visits a std::variant with one lambda per alternative.
template <typename... Handlers> struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
