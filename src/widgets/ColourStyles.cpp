#include "widgets/ColourStyles.h"

#include "widgets/WidgetPainting.h"

#include <QApplication>
#include <QPalette>

namespace {

QColor c(const char* hex) { return QColor(QString::fromLatin1(hex)); }

// name, window, panelTop, panelBottom, panelBorder, panelCaption, buttonTop, buttonBottom,
// buttonDownTop, buttonDownBottom, buttonText, text, listBack, listText, listSelection,
// listSelectionText, headerBack, headerText, accent
ColourStyle make(const char* name, const char* window, const char* panelTop, const char* panelBottom,
                 const char* panelBorder, const char* panelCaption, const char* buttonTop, const char* buttonBottom,
                 const char* downTop, const char* downBottom, const char* buttonText, const char* text,
                 const char* listBack, const char* listText, const char* listSelection, const char* listSelectionText,
                 const char* headerBack, const char* headerText, const char* accent)
{
    return ColourStyle{QString::fromLatin1(name), c(window), c(panelTop), c(panelBottom), c(panelBorder),
                       c(panelCaption), c(buttonTop), c(buttonBottom), c(downTop), c(downBottom), c(buttonText),
                       c(text), c(listBack), c(listText), c(listSelection), c(listSelectionText), c(headerBack),
                       c(headerText), c(accent)};
}

const ColourStyle* styles()
{
    static const ColourStyle table[ColourStyles::Count] = {
        // 0 Blue (tsOffice2003Blue): mid blue panels, orange down state.
        make("Blue", "#A4C2EE", "#E3EFFF", "#7BA4E0", "#2A5AA6", "#0E3A80", "#F0F6FF", "#8DB2EA",
             "#FFD88C", "#F59B34", "#0A2A66", "#0A2A66", "#F4F8FF", "#0A2A66", "#316AC5", "#FFFFFF",
             "#2F63B8", "#FFFFFF", "#F59B34"),
        // 1 Classic (tsOffice2003Classic): Windows grey with navy bars.
        make("Classic", "#C0C0C0", "#E6E4DE", "#B4B0A6", "#606060", "#000000", "#F6F5F2", "#C6C2B8",
             "#9BA7C4", "#5F6F96", "#000000", "#000000", "#FFFFFF", "#000000", "#0A246A", "#FFFFFF",
             "#0A246A", "#FFFFFF", "#0A246A"),
        // 2 Olive (tsOffice2003Olive): olive green with amber.
        make("Olive", "#C8D2A0", "#F2F5DC", "#A8BB78", "#5E7434", "#3C521A", "#F7F9E6", "#AFC07E",
             "#FFE08A", "#E8962A", "#2E3F10", "#2E3F10", "#FBFCF2", "#2E3F10", "#7C8F3E", "#FFFFFF",
             "#6F8540", "#FFFFFF", "#D9831F"),
        // 3 Silver 1 (tsOffice2003Silver): lavender silver.
        make("Silver 1", "#CFCEDF", "#F7F7FB", "#ABA9C6", "#6E6C92", "#3B3A5C", "#FCFCFE", "#B9B7D0",
             "#FFD07A", "#EFA03A", "#2B2A48", "#2B2A48", "#FFFFFF", "#2B2A48", "#6E6C92", "#FFFFFF",
             "#8A88AA", "#FFFFFF", "#6E6C92"),
        // 4 Luna (tsOffice2007Luna): light sky blue with soft gold.
        make("Luna", "#BFDBFF", "#EAF3FF", "#B7D3F7", "#6593CF", "#15428B", "#FFFFFF", "#C8DEF8",
             "#FFE9A8", "#FFC454", "#15428B", "#15428B", "#FFFFFF", "#15428B", "#FFD86B", "#15428B",
             "#6D9EDC", "#FFFFFF", "#3C7FD8"),
        // 5 Obsidian (tsOffice2007Obsidian): dark, for night driving.
        make("Obsidian", "#1C1C1C", "#4A4A4A", "#262626", "#0C0C0C", "#F2F2F2", "#5C5C5C", "#232323",
             "#C47A18", "#6E3E05", "#F2F2F2", "#E8E8E8", "#141414", "#E6E6E6", "#2F5F9A", "#FFFFFF",
             "#383838", "#FFC45A", "#FF9E1B"),
        // 6 Silver 2 (tsOffice2007Silver): neutral cool grey.
        make("Silver 2", "#E2E5EA", "#FBFBFC", "#C9CED6", "#8B939E", "#3C4350", "#FFFFFF", "#D3D8DF",
             "#FFE49A", "#FFBB3E", "#262B33", "#262B33", "#FFFFFF", "#262B33", "#A9B6C8", "#10151C",
             "#5C6777", "#FFFFFF", "#4D6F9E"),
        // 7 Whidbey (tsWhidbey): warm beige with teal.
        make("Whidbey", "#E6DFC8", "#FBF8EE", "#D2C7A2", "#9A8E68", "#4A3F1E", "#FFFDF6", "#D9CFAE",
             "#9FD3CF", "#3E9A93", "#33291A", "#33291A", "#FFFEF8", "#33291A", "#2F8C85", "#FFFFFF",
             "#A08D5E", "#FFFFFF", "#2F8C85"),
        // 8 Windows XP (tsWindowsXP): white buttons, strong XP blue bars, green accent.
        make("Windows XP", "#ECE9D8", "#FFFFFF", "#DCD8C4", "#003C74", "#003C74", "#FFFFFF", "#E2DFD0",
             "#9BE08A", "#3A9B2C", "#000000", "#000000", "#FFFFFF", "#000000", "#3169C6", "#FFFFFF",
             "#0A58D8", "#FFFFFF", "#3A9B2C"),
    };
    return table;
}

void applyPalette(const ColourStyle& s)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    QPalette palette(s.buttonBottom, s.window);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, s.window);
        palette.setColor(group, QPalette::WindowText, s.text);
        palette.setColor(group, QPalette::Base, s.listBack);
        palette.setColor(group, QPalette::AlternateBase, s.panelTop);
        palette.setColor(group, QPalette::Text, s.listText);
        palette.setColor(group, QPalette::Button, s.buttonBottom);
        palette.setColor(group, QPalette::ButtonText, s.buttonText);
        palette.setColor(group, QPalette::Highlight, s.listSelection);
        palette.setColor(group, QPalette::HighlightedText, s.listSelectionText);
        palette.setColor(group, QPalette::ToolTipBase, s.panelTop);
        palette.setColor(group, QPalette::ToolTipText, s.panelCaption);
        palette.setColor(group, QPalette::PlaceholderText, s.panelBorder);
        palette.setColor(group, QPalette::Link, s.accent);
    }
    // Greyed-out text: the faintest that still reads on its background.
    using WidgetPainting::readableOn;
    palette.setColor(QPalette::Disabled, QPalette::Window, s.window);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, readableOn(s.window, {s.window}));
    palette.setColor(QPalette::Disabled, QPalette::Base, s.listBack);
    palette.setColor(QPalette::Disabled, QPalette::Text, readableOn(s.listBack, {s.listBack}));
    palette.setColor(QPalette::Disabled, QPalette::Button, s.buttonBottom);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, readableOn(s.buttonBottom, {s.buttonTop, s.buttonBottom}));
    QApplication::setPalette(palette);
}

}

ColourStyles& ColourStyles::instance()
{
    static ColourStyles* styles = [] {
        auto* created = new ColourStyles;
        applyPalette(created->current());
        return created;
    }();
    return *styles;
}

const ColourStyle& ColourStyles::style(int index)
{
    return styles()[qBound(0, index, Count - 1)];
}

const ColourStyle& ColourStyles::current() const
{
    return style(m_current);
}

bool ColourStyles::apply(int index)
{
    if (index < 0 || index >= Count)
        return false;
    m_current = index;
    applyPalette(current());
    emit changed();
    return true;
}
