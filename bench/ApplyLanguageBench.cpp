#ifdef TOLVANE_BENCH_WIDGETS

#include "BenchTiming.h"
#include "CodePage.h"
#include "ComponentList.h"
#include "IniDocument.h"
#include "InterfaceTexts.h"
#include "SafeFile.h"
#include "TformMain.h"
#include "TformSearch.h"
#include "TnvTranslator.h"
#include "ValueEscapes.h"
#include "WindowRegistry.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Every text of every window, each replaced by prefix and its number when prefix is given.
IniDocument languageOfAllTexts(const QString& prefix) {
    IniDocument document;
    document.writeString("Main", "FontCharset", "0");
    int number = 0;
    for (const ComponentList* window : WindowRegistry::application().windows()) {
        for (const InterfaceText& text : InterfaceTexts::ofWindow(*window)) {
            const QString value = prefix.isEmpty() ? text.value : prefix + QString::number(number++);
            QByteArray bytes = CodePage::encode(value, CodePage::Ansi).value_or(QByteArray());
            if (text.escaped) {
                EscapeLanguageValue(bytes);
            }
            document.writeString(text.section.toLatin1(), text.key.toLatin1(), bytes);
        }
    }
    return document;
}

// Both windows of the program, shown, switched between a language translating every text and
// the designed texts, each switch reading its file once and walking all windows.
void ApplyLanguage(benchmark::State& state) {
    QTemporaryDir dir;
    qputenv("TOLVANE_REGISTRY", QFile::encodeName(dir.filePath(QStringLiteral("HKCU.reg"))));
    TformMain formMain;
    TformSearch formSearch;
    formMain.setSearchWindow(&formSearch);
    formMain.show();
    formSearch.show();
    const QString designed = dir.filePath(QStringLiteral("English.tvl"));
    const QString other = dir.filePath(QStringLiteral("Other.tvl"));
    SafeFile::writeAll(designed, languageOfAllTexts(QString()).toText());
    SafeFile::writeAll(other, languageOfAllTexts(QStringLiteral("Translated text ")).toText());
    TnvTranslator& translator = *formMain.translator();
    bool toOther = true;
    BenchTiming::timed(state, [&] {
        translator.LoadLanguage(toOther ? other : designed, false);
        toOther = !toOther;
    });
    int texts = 0;
    for (const ComponentList* window : WindowRegistry::application().windows()) {
        texts += int(InterfaceTexts::ofWindow(*window).size());
    }
    state.counters["texts"] = double(texts);
}

} // namespace

BENCHMARK(ApplyLanguage)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

#endif
