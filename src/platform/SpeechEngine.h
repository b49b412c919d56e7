#pragma once
#include <QString>

// Speaks text in the background. Each call drops whatever is being spoken or is still
// waiting, and speaks the new text in its place; an empty text silences the engine.
class SpeechEngine {
public:
    enum class Punctuation { Silent, Spoken };
    virtual ~SpeechEngine() = default;
    // Returns false when the engine refused the text; callers ignore it.
    virtual bool speak(const QString& text, Punctuation punctuation = Punctuation::Silent) = 0;
};
