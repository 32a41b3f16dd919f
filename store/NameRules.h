#pragma once

#include "Status.h"

#include <QString>

// Names that become file names (projects, frames, items, schemes, presets, pointer files,
// installer names) and texts that go into record files.
namespace NameRules {

// The characters a file name may not hold: " \ / : * ? < > | ,
const QString &forbiddenNameCharacters();
// The same characters as the messages show them: the double quote, then " \ / : * ? < > | ,".
QString forbiddenCharactersForDisplay();

bool isValidName(const QString &name);
bool hasQuotationMark(const QString &text);

// Success, or the refusal the system shows for a name with a forbidden character.
Status checkName(const QString &name);
// Success, or the refusal for a text with a double quote. The project properties' texts use the
// longer wording.
enum class QuoteWording { Short, ProjectTexts };
Status checkText(const QString &text, QuoteWording wording = QuoteWording::Short);

// A name read from a project file may become one path component: a valid name that is not
// "." or "..". Anything else is treated as missing.
bool isSafeComponent(const QString &name);

} // namespace NameRules
