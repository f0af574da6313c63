#pragma once

#include "platform/user_error.h"

#include <QString>
#include <QtGlobal>

// Parts of the program that need large libraries most starts never use
// (Qt's print support, Qt SVG, libjpeg) are built as modules of their own,
// sleevix-NAME.so, and loaded at their first use: loading those libraries
// with the program would slow down every start. Builds that link a part in
// (the tests) hand it over with its `use...` function instead.

// A module that cannot be found or loaded.
class ModuleError : public UserError {
public:
    using UserError::UserError;
};

// Where module `name` is looked for: beside the program (the build tree),
// then in its installed place relative to the program's folder.
QStringList moduleCandidates(const QString& programFolder, const QString& name);

// Loads module `name` once and returns its function `entry`. Throws
// ModuleError, with a German message naming the module, when the module is
// missing or cannot be loaded.
QFunctionPointer moduleEntry(const QString& name, const char* entry);

// The interface one module provides through its extern "C" function
// `entry`: the module is loaded at the first use, unless a build has handed
// over code it links in.
template <typename Interface> class ModuleInterface {
public:
    ModuleInterface(const char* module, const char* entry) : m_module(module), m_entry(entry) { }

    Interface& get()
    {
        if (!m_current) {
            using Entry = Interface* (*)();
            m_current
                = reinterpret_cast<Entry>(moduleEntry(QString::fromLatin1(m_module), m_entry))();
        }
        return *m_current;
    }
    void use(Interface& linkedIn) { m_current = &linkedIn; }

private:
    const char* m_module;
    const char* m_entry;
    Interface* m_current = nullptr;
};
