// The "URL's  " page of the settings window.
#include "platform/widgets/tabbed_pages.h"
#include "settings/link_list_editor.h"
#include "settings/t_cd_setup.h"

#include <QLineEdit>

void TCDSetup::connectLinkPage()
{
    linkEditor = new LinkListEditor({eUrl, ListBox, bNeu, bAendern, Button4, Button10}, this);
    linkEditor->load(m_settings.links());
    connect(linkEditor, &LinkListEditor::edited, this,
            [this] { m_settings.setLinks(linkEditor->entries()); });
    connect(PageControl, &TabbedPages::pageShown, this, [this](int index) {
        if (index == PageLinks)
            TabSheet6Show();
    });
}

void TCDSetup::TabSheet6Show()
{
    linkEditor->resetButtons();
    eUrl->setFocus(Qt::OtherFocusReason);
}
