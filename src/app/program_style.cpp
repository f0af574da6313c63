#include "app/program_style.h"

int ProgramStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const
{
    // A 13-pixel box with 4 pixels to its caption: the layout boxes of the
    // main window stand close together, and each caption with its focus
    // frame has to fit before the next box.
    switch (metric) {
    case PM_IndicatorWidth:
    case PM_IndicatorHeight: return 13;
    case PM_CheckBoxLabelSpacing: return 4;
    default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

// The stock icon of the overflow buttons of tool bars and menu bars is a
// set of PNG files, and reading the first PNG makes Qt load every image
// format plugin with its libraries: a good share of the start-up time.
// The bars of the fixed-size windows never overflow, so they go without.
QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const
{
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton)
        return {};
    return QProxyStyle::standardIcon(icon, option, widget);
}
