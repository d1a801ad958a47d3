#pragma once

class LanguageTextReader;

// Takes the [Dialogs] captions of a language into the message and input dialogs, as they stand
// (no escapes). A caption the language lacks keeps the one in force.
void LoadDialogCaptions(const LanguageTextReader& texts);
