#pragma once

#include "ChangeRule.h"
#include "IniDocument.h"

#include <QList>

// Applying change rules to one language document, in order, each rule seeing the effect of
// those before it. Names match without regard to case, as look-up does.
namespace RuleApplier {

// MoveValue, CopyValue: a non-empty value of the key in source is written into target (MoveValue
// then deletes it from source). MoveKey, CopyKey: every line of source is written into target,
// entries by key, lines without "=" as they stand unless target holds that line already
// (MoveKey then erases source when it had lines). A rule whose source and target are the same
// section changes nothing.
void apply(IniDocument& document, const ChangeRule& rule);
void apply(IniDocument& document, const QList<ChangeRule>& rules);

} // namespace RuleApplier
