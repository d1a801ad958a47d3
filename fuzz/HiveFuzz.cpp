// The hive under any sequence of its operations answers as a plain tree does, and the file it
// leaves parses to that same tree: every key and value name, letter case, order and text.
#include "FuzzAsanOptions.h"
#include "FuzzCheck.h"
#include "FuzzFiles.h"
#include "FuzzInput.h"
#include "HiveKey.h"
#include "RegistryFormat.h"
#include "RegistryHive.h"
#include "SafeFile.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace {

struct ModelKey {
    QString name;
    std::vector<HiveValue> values;
    std::vector<std::unique_ptr<ModelKey>> children;

    ModelKey* child(const QString& childName) const {
        for (const auto& c : children) {
            if (c->name.toCaseFolded() == childName.toCaseFolded()) {
                return c.get();
            }
        }
        return nullptr;
    }
    HiveValue* value(const QString& valueName) {
        for (HiveValue& v : values) {
            if (v.name.toCaseFolded() == valueName.toCaseFolded()) {
                return &v;
            }
        }
        return nullptr;
    }
};

// Names of a path, nullopt when one is empty or holds a line break.
std::optional<QStringList> namesOf(QString path) {
    if (path.startsWith(QLatin1Char('\\'))) {
        path.remove(0, 1);
    }
    if (path.isEmpty()) {
        return QStringList();
    }
    const QStringList names = path.split(QLatin1Char('\\'));
    for (const QString& name : names) {
        if (name.isEmpty() || name.contains(QLatin1Char('\n')) || name.contains(QLatin1Char('\r'))) {
            return std::nullopt;
        }
    }
    return names;
}

ModelKey* find(ModelKey& root, const QString& path) {
    const auto names = namesOf(path);
    ModelKey* key = names ? &root : nullptr;
    for (const QString& name : names.value_or(QStringList())) {
        key = key ? key->child(name) : nullptr;
    }
    return key;
}

QString nameFrom(FuzzInput& input) {
    static const QString Alphabet = QStringLiteral("aAbB\\\"[]=@ \n\u00e9\u00c9\u03a3\u03c3");
    QString name;
    const int length = input.pick(4);
    for (int i = 0; i < length; ++i) {
        name += Alphabet[input.pick(int(Alphabet.size()))];
    }
    return name;
}

QString pathFrom(FuzzInput& input) {
    QStringList names;
    const int depth = input.pick(4);
    for (int i = 0; i < depth; ++i) {
        names.append(nameFrom(input));
    }
    return (input.flag() ? QStringLiteral("\\") : QString()) + names.join(QLatin1Char('\\'));
}

// Any text of whole characters: the hive keeps strings, not code units.
QString dataFrom(FuzzInput& input) {
    QString text = input.text(12);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSurrogate()) {
            text[i] = QChar(0xFFFD);
        }
    }
    if (input.flag()) {
        text += QString::fromUcs4(U"\U0001F600");
    }
    return text;
}

void compare(const HiveKey& read, const ModelKey& model) {
    FUZZ_CHECK(read.name() == model.name);
    FUZZ_CHECK(read.values().size() == model.values.size());
    for (size_t i = 0; i < model.values.size(); ++i) {
        FUZZ_CHECK(read.values()[i].name == model.values[i].name);
        FUZZ_CHECK(read.values()[i].type == model.values[i].type);
        FUZZ_CHECK(read.values()[i].data == model.values[i].data);
    }
    FUZZ_CHECK(read.children().size() == model.children.size());
    for (size_t i = 0; i < model.children.size(); ++i) {
        compare(*read.children()[i], *model.children[i]);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const QString path = fuzzFile(QStringLiteral("HKCU.reg"));
    QFile::remove(path);
    RegistryHive hive(path);
    ModelKey root;
    int steps = 0;
    while (!input.atEnd() && ++steps < 16) {
        const QString key = pathFrom(input);
        ModelKey* found = find(root, key);
        switch (input.pick(7)) {
        case 0: {
            const auto names = namesOf(key);
            FUZZ_CHECK(hive.createKey(key) == names.has_value());
            ModelKey* at = &root;
            for (const QString& name : names.value_or(QStringList())) {
                ModelKey* next = at->child(name);
                if (!next) {
                    at->children.push_back(std::make_unique<ModelKey>());
                    next = at->children.back().get();
                    next->name = name;
                }
                at = next;
            }
            break;
        }
        case 1:
        case 2: {
            const QString name = nameFrom(input);
            const bool dword = input.pick(3) == 0;
            const QString text = dataFrom(input);
            const quint32 number = input.byte() * 0x01010101u;
            const bool written = dword ? hive.writeDword(key, name, number) : hive.writeString(key, name, text);
            FUZZ_CHECK(written == (found != nullptr));
            if (found) {
                const HiveValue value{name, dword ? HiveValue::Type::Other : HiveValue::Type::String,
                                      dword ? QStringLiteral("dword:%1").arg(number, 8, 16, QLatin1Char('0')) : text};
                if (HiveValue* old = found->value(name)) {
                    old->type = value.type;
                    old->data = value.data;
                } else {
                    found->values.push_back(value);
                }
            }
            break;
        }
        case 3: {
            const auto names = namesOf(key);
            ModelKey* parent = names && !names->isEmpty()
                                   ? find(root, QStringList(names->begin(), names->end() - 1).join('\\'))
                                   : nullptr;
            FUZZ_CHECK(hive.deleteKeyTree(key) == (parent && found));
            if (parent && found) {
                auto& siblings = parent->children;
                for (auto it = siblings.begin(); it != siblings.end(); ++it) {
                    if (it->get() == found) {
                        siblings.erase(it);
                        break;
                    }
                }
            }
            break;
        }
        case 4: {
            const QString oldName = nameFrom(input);
            const QString newName = nameFrom(input);
            const bool valid = namesOf(oldName).value_or(QStringList()).size() == 1 &&
                               namesOf(newName).value_or(QStringList()).size() == 1 && !oldName.startsWith('\\') &&
                               !newName.startsWith('\\');
            ModelKey* old = valid && found ? found->child(oldName) : nullptr;
            const bool moves = old && !found->child(newName);
            FUZZ_CHECK(hive.moveKey(key, oldName, newName) == moves);
            if (moves) {
                auto& siblings = found->children;
                for (auto it = siblings.begin(); it != siblings.end(); ++it) {
                    if (it->get() == old) {
                        std::unique_ptr<ModelKey> taken = std::move(*it);
                        siblings.erase(it);
                        taken->name = newName;
                        siblings.push_back(std::move(taken));
                        break;
                    }
                }
            }
            break;
        }
        default: {
            // One look-up a step, as each reads and parses the whole file again.
            const QString name = nameFrom(input);
            HiveValue* value = found ? found->value(name) : nullptr;
            switch (input.pick(4)) {
            case 0:
                FUZZ_CHECK(hive.keyExists(key) == (found != nullptr));
                break;
            case 1: {
                QStringList names;
                for (const auto& child : found ? found->children : root.children) {
                    names.append(child->name);
                }
                FUZZ_CHECK(hive.subKeys(key) == (found ? names : QStringList()));
                break;
            }
            case 2:
                FUZZ_CHECK(hive.valueExists(key, name) == (value != nullptr));
                break;
            default: {
                const std::optional<QString> text = hive.readString(key, name);
                FUZZ_CHECK(text.has_value() == (value && value->type == HiveValue::Type::String));
                FUZZ_CHECK(!text || *text == value->data);
                break;
            }
            }
            break;
        }
        }
    }
    HiveKey parsed;
    const QByteArray bytes = QFile::exists(path) ? SafeFile::readAll(path) : QByteArray();
    FUZZ_CHECK(RegistryFormat::parse(bytes, parsed));
    compare(parsed, root);
    return 0;
}
