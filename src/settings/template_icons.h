#pragma once

#include <QIcon>

// The settings window's image list of three 16 × 16 icons.
enum class TemplateIcon {
    Disc,              // not used by the template list
    Template,          // a document with a blue mark
    SelectedTemplate,  // the same document with a red mark
};

QIcon templateIcon(TemplateIcon which);
