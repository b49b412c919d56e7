#pragma once

// The screen-wide mouse pointer: hidden (nothing drawn) or the default arrow.
namespace Pointer {
void hide();
void show();
void toggle();
bool isHidden();
}
