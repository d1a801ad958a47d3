#pragma once

#include <QDir>
#include <QString>
#include <QWidget>

// Saves a picture of the widget as name in $TOLVANE_SCREENSHOT_DIR; true when that is not set.
inline bool saveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("TOLVANE_SCREENSHOT_DIR");
    return folder.isEmpty() || widget.grab().save(QDir(folder).filePath(name));
}
