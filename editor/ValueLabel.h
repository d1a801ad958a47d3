#pragma once

class QLabel;

// The look of the labels that show data rather than captions: bold navy plain text.
namespace ValueLabel {

void style(QLabel* label);

} // namespace ValueLabel
