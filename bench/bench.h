#pragma once

#include "options.h"
#include "screenreader.h"
#include "trees.h"

#include "app/form1.h"
#include "platform/userdialogs.h"
#include "transform/operations.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tarnwick::bench {

// One line of the report: a stage's median time beside one floor's, and the program's memory.
struct Row {
    QString stage;
    QString tree;
    QString operation;
    int folders = 0;
    double medianMs = 0;
    QString floorName;
    double floorMs = 0;
    double peakRssMb = 0;
    double rssMb = 0;
};

// The browser answers with the tree being measured; nothing else is ever asked.
class ScriptedDialogs : public UserDialogs {
public:
    MessageAnswer showMessage(const QString& text, const QString&, MessageButtons,
                              MessageIcon) override;
    QString browseForFolder(QObject*, const QString&, const QString&) override {
        return std::exchange(chosenFolder, QString());
    }
    bool openFolder(const QString&) override { return false; }
    bool openWebAddress(const QString&) override { return false; }

    QString chosenFolder;
    int messages = 0;
};

// Generates the trees, measures the stages the options ask for through the program's own window,
// checks what each left on disk and in the list, and reports.
class Bench {
public:
    // With a screen reader (in a measuring child), it reads the list before each stage.
    explicit Bench(Options options, ScreenReaderProcess* reader = nullptr)
        : m_options(std::move(options)), m_reader(reader) {}
    // 0 when every check held.
    int run();

private:
    void addStage(const Tree& tree);
    void previewStage(const Tree& tree);
    double previewFloorMs(Operation operation);
    void runStage(const Tree& tree);
    void journalRunStage(const Tree& tree);
    void checkRun(const Tree& tree);
    struct RenameFloors {
        double onceMs = 0;
        double twiceMs = 0;
    };
    std::optional<RenameFloors> renameFloors(const Tree& tree);
    bool check(bool ok, const QString& what);
    void checkReadable();
    template <class Stage> void withReader(const char* stage, const Tree& listed, Stage&& measure);
    std::optional<QJsonObject> readerReadsList();
    void noteReader(const char* stage, const QJsonObject& before);
    void accessibilityRows();
    std::optional<std::vector<Row>> measureAccessibility(const QString& side,
                                                         const QString& runSession,
                                                         const QString& display, QString& why);
    void report() const;
    void reportJson() const;

    Options m_options;
    ScreenReaderProcess* m_reader = nullptr;
    ScriptedDialogs m_dialogs;
    std::optional<Form1> m_window;
    std::vector<Row> m_rows;
    QStringList m_notes;
    int m_failures = 0;
};

} // namespace tarnwick::bench
