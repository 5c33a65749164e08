#pragma once

// The application-wide mouse pointer: the hourglass while LEXA is busy, the
// arrow over every control, or each control's own pointer (Default).
enum class Pointer
{
    Default,
    Arrow,
    Hourglass
};

// Replaces the pointer set by the previous call; Default removes it.
void setScreenPointer(Pointer pointer);
