#include "InterfaceLanguageWriter.h"

#include "CodePage.h"
#include "ComponentList.h"
#include "ComponentTexts.h"
#include "CompressedContainer.h"
#include "FileError.h"
#include "HexBitmap.h"
#include "IniDocument.h"
#include "InterfaceTexts.h"
#include "LanguageKeys.h"
#include "NvDialogStrings.h"
#include "RewriteGuard.h"
#include "SafeFile.h"
#include "ValueEscapes.h"
#include "WindowRegistry.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QWidget>

#include <exception>
#include <optional>

namespace {

constexpr char FormsSection[] = "Forms";
constexpr char MessagesSection[] = "Messages";
constexpr char DialogsSection[] = "Dialogs";

// Writes (section, key) := text in the file's code page. A text the code page cannot hold is
// left out rather than written with "?" in place of what it cannot show.
void put(IniDocument& ini, const QString& section, const QString& key, const QString& text, bool escaped,
         int codePage) {
    std::optional<QByteArray> bytes = CodePage::encode(text, codePage);
    if (!bytes) {
        return;
    }
    if (escaped) {
        EscapeLanguageValue(*bytes);
    }
    ini.writeString(section.toLatin1(), key.toLatin1(), *bytes);
}

int pointSize(const QFont& font) {
    return font.pointSize() > 0 ? font.pointSize() : QFontInfo(font).pointSize();
}

} // namespace

InterfaceLanguageWriter::InterfaceLanguageWriter(const WindowRegistry& windows,
                                                 QList<QPair<QString, QString>> defaultMessages)
    : m_windows(windows), m_defaultMessages(std::move(defaultMessages)) {}

QList<ComponentList*> InterfaceLanguageWriter::windowsToWrite() const {
    QList<ComponentList*> windows;
    for (ComponentList* window : m_windows.windows()) {
        if (ComponentTexts::tag(&window->window()) == 0) {
            windows.append(window);
        }
    }
    return windows;
}

IniDocument InterfaceLanguageWriter::openForRewrite(const QString& path) const {
    IniDocument ini;
    if (QFileInfo::exists(path)) {
        const QByteArray bytes = SafeFile::readAll(path);
        if (bytes.startsWith(m_compressIndicator + '1')) {
            // What it holds is all kept: the plain form that replaces it loses nothing.
            LoadLanguageDocument(ini, path, m_compressIndicator);
        } else {
            RewriteGuard::ensureRewritable(path, bytes);
            ini.setFromText(bytes);
        }
    }
    ini.setFileName(path);
    return ini;
}

void InterfaceLanguageWriter::saveLanguage(const QString& path, const InterfaceLanguageHeader& header) const {
    IniDocument ini = openForRewrite(path);
    const QList<ComponentList*> windows = windowsToWrite();
    // The file is read back in the code page of the character set it announces, which the last
    // window written decides.
    const int charset = windows.isEmpty() ? 1 : ComponentTexts::charset(&windows.last()->window());
    const int codePage = CodePage::forCharset(charset);
    writeDefaultMessages(ini, codePage);
    writeDialogCaptions(ini, codePage);
    const QString name =
        header.languageRealName.isEmpty() ? QFileInfo(path).completeBaseName() : header.languageRealName;
    put(ini, LanguageKeys::Main, LanguageKeys::LanguageName, name, false, codePage);
    put(ini, LanguageKeys::Main, LanguageKeys::Use, header.languageHint, false, codePage);
    put(ini, LanguageKeys::Main, LanguageKeys::HelpFile, header.helpFile, false, codePage);
    for (const ComponentList* window : windows) {
        writeFormTexts(*window, ini, header.helpFile, codePage);
    }
    ini.writeBack();
}

void InterfaceLanguageWriter::writeDefaultMessages(IniDocument& ini, int codePage) const {
    for (const auto& [key, text] : m_defaultMessages) {
        put(ini, MessagesSection, key, text, true, codePage);
    }
}

void InterfaceLanguageWriter::writeDialogCaptions(IniDocument& ini, int codePage) {
    for (const QString& key : nvCaptionKeys()) {
        put(ini, DialogsSection, key, nvGetCaption(key), false, codePage);
    }
}

void InterfaceLanguageWriter::writeFormTexts(const ComponentList& window, IniDocument& ini, const QString& helpFile,
                                             int codePage) const {
    const QWidget& form = window.window();
    const QString name = form.objectName();
    if (ComponentTexts::tag(&form) == 0) {
        put(ini, FormsSection, name, form.windowTitle(), false, codePage);
    }
    put(ini, LanguageKeys::Main, LanguageKeys::FontName, form.font().family(), false, codePage);
    put(ini, LanguageKeys::Main, LanguageKeys::FontSize, QString::number(pointSize(form.font())), false, codePage);
    put(ini, LanguageKeys::Main, LanguageKeys::FontCharset, QString::number(ComponentTexts::charset(&form)), false,
        codePage);
    put(ini, LanguageKeys::Main, LanguageKeys::HelpFile, helpFile, false, codePage);
    for (QObject* component : window.all()) {
        try {
            if (m_ownerSave) {
                m_ownerSave(name + QLatin1Char('.') + component->objectName(), component, ini);
            }
            for (const InterfaceText& text : InterfaceTexts::ofComponent(window, component)) {
                put(ini, text.section, text.key, text.value, text.escaped, codePage);
            }
        } catch (const std::exception&) {
            // One component that fails keeps none of the others out of the file.
        }
    }
}

void InterfaceLanguageWriter::saveFlag(const QImage& bitmap, const QString& path, const QByteArray& key) const {
    IniDocument ini = openForRewrite(path);
    WriteFlagBitmap(ini, LanguageKeys::Images, key, bitmap);
    ini.writeBack();
}

void InterfaceLanguageWriter::saveFlag16(const QImage& bitmap, const QString& path) const {
    saveFlag(bitmap, path, LanguageKeys::Flag16);
}

void InterfaceLanguageWriter::saveFlag32(const QImage& bitmap, const QString& path) const {
    saveFlag(bitmap, path, LanguageKeys::Flag32);
}

InterfaceLanguageHeader InterfaceLanguageWriter::englishHeader(const QString& helpFile) {
    return {QStringLiteral("English"), QStringLiteral("Use english language"), helpFile};
}

QImage InterfaceLanguageWriter::englishFlag16() {
    return QImage(QStringLiteral(":/flags/ENGLISH16.bmp"));
}

QImage InterfaceLanguageWriter::englishFlag32() {
    return QImage(QStringLiteral(":/flags/ENGLISH32.bmp"));
}

void InterfaceLanguageWriter::createEnglishLanguage(const QString& folder, const QString& extension,
                                                    const QString& helpFile) const {
    const QString path = folder + QStringLiteral("English.") + extension;
    // Each step on its own: a program installed read-only starts without an English file.
    const auto swallowed = [](const std::function<void()>& step) {
        try {
            step();
        } catch (const std::exception&) {
        }
    };
    swallowed([&] { saveLanguage(path, englishHeader(helpFile)); });
    swallowed([&] { saveFlag16(englishFlag16(), path); });
    swallowed([&] { saveFlag32(englishFlag32(), path); });
}
