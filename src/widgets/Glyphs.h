#pragma once
// Pictures for picture buttons, drawn as vector paths so they stay sharp at any size.
#include <QColor>
#include <QRectF>

class QPainter;

enum class Glyph {
    None,
    Play,
    Stop,
    Previous,
    Next,
    Done,      // tick: leave a screen, accepting
    Close,     // cross
    ReadAloud, // speaker with sound waves
    Folder,
    Up,
    Down,
    Add,
    Remove,
    NewList,
    Save,
    Open,
    Info,
    Globe,
    Repeat,
    Shuffle,
    Power,
    Restart,
    Minimise,
    Keyboard,
    Launch,
    File,      // a page with a folded corner (file list rows)
};

// Draws `glyph` centred in `box`, keeping its aspect, in `colour`.
void drawGlyph(QPainter& painter, Glyph glyph, const QRectF& box, const QColor& colour);
