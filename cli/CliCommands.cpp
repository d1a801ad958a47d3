#include "CliCommands.h"

#include "BulkRunner.h"
#include "CliArguments.h"
#include "CodePage.h"
#include "CompletionReport.h"
#include "EditingState.h"
#include "FileCheck.h"
#include "FileError.h"
#include "IniDocument.h"
#include "LanguageKeys.h"
#include "LanguageSearch.h"
#include "MessageTable.h"
#include "RulesFile.h"
#include "SafeFile.h"
#include "UnifiedDiff.h"

#include <QFileInfo>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>
#include <optional>

namespace {

// Loads a language file that must be there: null, with the reason, when it is missing or
// cannot be read.
std::unique_ptr<IniDocument> loadExisting(const QString& path, QString& error) {
    if (!QFileInfo(path).isFile()) {
        error = CliCommands::missingText(path);
        return nullptr;
    }
    try {
        return std::make_unique<IniDocument>(path);
    } catch (const FileError& failure) {
        error = failure.message();
        return nullptr;
    }
}

// The reference a command holds files to, and the source whose texts count as untranslated
// (the reference itself when none is named).
struct Originals {
    std::unique_ptr<IniDocument> reference;
    std::unique_ptr<IniDocument> source;

    const IniDocument& sourceOrReference() const { return source ? *source : *reference; }
};

// No reference, and the reason in error, when a file named by --reference or --source is
// missing or cannot be read.
Originals loadOriginals(const CliArguments& args, QString& error) {
    Originals originals;
    originals.reference = loadExisting(args.value(QStringLiteral("reference")), error);
    if (originals.reference && args.has(QStringLiteral("source"))) {
        originals.source = loadExisting(args.value(QStringLiteral("source")), error);
        if (!originals.source) {
            originals.reference.reset();
        }
    }
    return originals;
}

} // namespace

CliCommands::CliCommands(QIODevice& out, QIODevice& err) : m_out(out), m_err(err) {}

QString CliCommands::usage() {
    return QStringLiteral(
        "Usage: tolvane-cli COMMAND [OPTIONS] ARGUMENTS\n"
        "\n"
        "Commands:\n"
        "  sort [--dry-run] FILE...\n"
        "      Sort the sections and entries of language files, as the Sorter page does.\n"
        "  apply-rules [--dry-run] RULES FILE...\n"
        "      Apply a rules file of moves and copies to language files, as the Apply rules page does.\n"
        "  search TERM FILE...\n"
        "      Find TERM in the values of language files; one line per hit:\n"
        "      file, section, key and value, separated by tabs.\n"
        "  check --reference REF [--source SRC] [--format text|json] DEST...\n"
        "      Report entries of REF that DEST lacks, entries of DEST that REF lacks, and texts\n"
        "      whose placeholders, line breaks, accelerators, blanks or ending punctuation differ\n"
        "      from the source text (SRC, else REF).\n"
        "  stats --reference REF [--source SRC] [--html OUT] FILE...\n"
        "      Completion figures of each FILE: entries of REF it has, and how many equal the\n"
        "      source (SRC, else REF); --html also writes a page with one bar per file.\n"
        "\n"
        "  --dry-run  print a unified diff of the change instead of writing the files\n"
        "  --help     show this text\n"
        "\n"
        "Exit status: 0 done; 1 check found something, or search found nothing; 2 wrong\n"
        "arguments or a file that could not be read or written.\n");
}

int CliCommands::run(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        m_err.write(usage().toUtf8());
        return Failure;
    }
    const QString command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("help") || rest.contains("--help")) {
        print(usage());
        return Success;
    }
    using Command = int (CliCommands::*)(const QStringList&);
    const QList<QPair<QString, Command>> commands = {{QStringLiteral("sort"), &CliCommands::sort},
                                                     {QStringLiteral("apply-rules"), &CliCommands::applyRules},
                                                     {QStringLiteral("search"), &CliCommands::search},
                                                     {QStringLiteral("check"), &CliCommands::check},
                                                     {QStringLiteral("stats"), &CliCommands::stats}};
    for (const auto& [name, handler] : commands) {
        if (name == command) {
            return (this->*handler)(rest);
        }
    }
    return fail(QStringLiteral("unknown command %1 (see tolvane-cli --help)").arg(command));
}

void CliCommands::print(const QString& text) {
    m_out.write(text.toUtf8());
}

int CliCommands::fail(const QString& message) {
    m_err.write((QStringLiteral("tolvane-cli: ") + message + QLatin1Char('\n')).toUtf8());
    return Failure;
}

QString CliCommands::missingText(const QString& path) {
    return MessageTable::format(MessageTable::defaultText(MessageTable::FileDoesNotExist), path);
}

int CliCommands::rewrite(const QStringList& paths, const BulkRunner::Rewrite& rewrite, bool dryRun) {
    int status = Success;
    if (!dryRun) {
        for (const FileReport& report : BulkRunner::run(paths, rewrite)) {
            if (report.outcome == FileReport::Outcome::Missing) {
                status = fail(missingText(report.path));
            } else if (report.outcome == FileReport::Outcome::Failed) {
                status = fail(report.reason);
            }
        }
        return status;
    }
    for (const QString& path : paths) {
        if (!QFileInfo::exists(path)) {
            status = fail(missingText(path));
            continue;
        }
        try {
            const QByteArray after = BulkRunner::rewritten(path, rewrite);
            m_out.write(UnifiedDiff::diff(SafeFile::readAll(path), after, QFile::encodeName(path)));
        } catch (const FileError& error) {
            status = fail(error.message());
        }
    }
    return status;
}

int CliCommands::sort(const QStringList& arguments) {
    const CliArguments args(arguments, {}, {QStringLiteral("dry-run")});
    if (!args.error().isEmpty()) {
        return fail(args.error());
    }
    if (args.operands().isEmpty()) {
        return fail(QStringLiteral("sort needs at least one FILE"));
    }
    return rewrite(args.operands(), BulkRunner::sorting(), args.has(QStringLiteral("dry-run")));
}

int CliCommands::applyRules(const QStringList& arguments) {
    const CliArguments args(arguments, {}, {QStringLiteral("dry-run")});
    if (!args.error().isEmpty()) {
        return fail(args.error());
    }
    if (args.operands().size() < 2) {
        return fail(QStringLiteral("apply-rules needs a RULES file and at least one FILE"));
    }
    const QString rulesFile = args.operands().first();
    QList<ChangeRule> rules;
    try {
        if (!QFileInfo(rulesFile).isFile()) {
            return fail(missingText(rulesFile));
        }
        rules = RulesFile::read(rulesFile);
    } catch (const FileError& error) {
        return fail(error.message());
    }
    return rewrite(args.operands().mid(1), BulkRunner::applyingRules(rules), args.has(QStringLiteral("dry-run")));
}

int CliCommands::search(const QStringList& arguments) {
    const CliArguments args(arguments, {}, {});
    if (!args.error().isEmpty()) {
        return fail(args.error());
    }
    if (args.operands().size() < 2) {
        return fail(QStringLiteral("search needs a TERM and at least one FILE"));
    }
    const QString term = args.operands().first();
    int status = Found;
    bool failed = false;
    for (const QString& path : args.operands().mid(1)) {
        if (!QFileInfo(path).isFile()) {
            failed = true;
            fail(missingText(path));
            continue;
        }
        try {
            const QByteArray bytes = SafeFile::readAll(path);
            IniDocument main;
            main.setFromText(bytes, LanguageKeys::Main);
            const int codePage = EditingState::codePageOf(main);
            // A term the file's code page cannot hold is not among its bytes.
            const std::optional<QByteArray> encoded = CodePage::encode(term, codePage);
            if (!encoded) {
                continue;
            }
            for (const LanguageSearch::Hit& hit : LanguageSearch::searchText(bytes, *encoded)) {
                status = Success;
                const auto text = [codePage](QByteArrayView bytes) {
                    return CodePage::decode(bytes.toByteArray(), codePage);
                };
                print(path + QLatin1Char('\t') + text(hit.section) + QLatin1Char('\t') + text(hit.key) +
                      QLatin1Char('\t') + text(hit.data) + QLatin1Char('\n'));
            }
        } catch (const FileError& error) {
            failed = true;
            fail(error.message());
        }
    }
    return failed ? int(Failure) : status;
}

int CliCommands::check(const QStringList& arguments) {
    const CliArguments args(arguments,
                            {QStringLiteral("reference"), QStringLiteral("source"), QStringLiteral("format")}, {});
    if (!args.error().isEmpty()) {
        return fail(args.error());
    }
    const QString format =
        args.has(QStringLiteral("format")) ? args.value(QStringLiteral("format")) : QStringLiteral("text");
    if (format != QLatin1String("text") && format != QLatin1String("json")) {
        return fail(QStringLiteral("--format is text or json, not %1").arg(format));
    }
    if (!args.has(QStringLiteral("reference")) || args.operands().isEmpty()) {
        return fail(QStringLiteral("check needs --reference REF and at least one DEST"));
    }
    QString error;
    const Originals originals = loadOriginals(args, error);
    if (!originals.reference) {
        return fail(error);
    }
    const IniDocument& reference = *originals.reference;
    bool found = false;
    bool failed = false;
    QJsonArray files;
    for (const QString& path : args.operands()) {
        const auto destination = loadExisting(path, error);
        if (!destination) {
            failed = true;
            fail(error);
            continue;
        }
        const int pages[2] = {EditingState::codePageOf(reference), EditingState::codePageOf(*destination)};
        QJsonArray findings;
        for (const FileCheck::Finding& finding :
             FileCheck::check(reference, originals.sourceOrReference(), *destination)) {
            found = true;
            const int page = pages[finding.kind == FileCheck::Finding::Surplus ? 1 : 0];
            const QString section = CodePage::decode(finding.section, page);
            const QString key = CodePage::decode(finding.key, page);
            if (format == QLatin1String("json")) {
                findings.append(QJsonObject{{"section", section},
                                            {"key", key},
                                            {"kind", FileCheck::kindName(finding)},
                                            {"message", FileCheck::message(finding)}});
            } else {
                print(QStringLiteral("%1: [%2] %3: %4\n").arg(path, section, key, FileCheck::message(finding)));
            }
        }
        files.append(QJsonObject{{"file", path}, {"findings", findings}});
    }
    if (format == QLatin1String("json")) {
        m_out.write(QJsonDocument(QJsonObject{{"files", files}}).toJson());
    }
    return failed ? int(Failure) : found ? int(Found) : int(Success);
}

int CliCommands::stats(const QStringList& arguments) {
    const CliArguments args(arguments, {QStringLiteral("reference"), QStringLiteral("source"), QStringLiteral("html")},
                            {});
    if (!args.error().isEmpty()) {
        return fail(args.error());
    }
    if (!args.has(QStringLiteral("reference")) || args.operands().isEmpty()) {
        return fail(QStringLiteral("stats needs --reference REF and at least one FILE"));
    }
    QString error;
    const Originals originals = loadOriginals(args, error);
    if (!originals.reference) {
        return fail(error);
    }
    bool failed = false;
    QList<CompletionReport::Row> rows;
    for (const QString& path : args.operands()) {
        const auto file = loadExisting(path, error);
        if (!file) {
            failed = true;
            fail(error);
            continue;
        }
        rows.append({path, Completion::ofFile(*originals.reference, originals.sourceOrReference(), *file)});
    }
    print(CompletionReport::table(rows));
    if (args.has(QStringLiteral("html"))) {
        try {
            SafeFile::writeAll(args.value(QStringLiteral("html")),
                               CompletionReport::html(rows, args.value(QStringLiteral("reference"))));
        } catch (const FileError& failure) {
            return fail(failure.message());
        }
    }
    return failed ? int(Failure) : int(Success);
}
