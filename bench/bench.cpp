#include "bench.h"

#include "commandline.h"
#include "measure.h"

#include "folders/addfolders.h"
#include "folders/folderlist.h"
#include "platform/filesystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

namespace tarnwick::bench {

MessageAnswer ScriptedDialogs::showMessage(const QString& text, const QString&, MessageButtons,
                                           MessageIcon) {
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
    ++messages;
    return MessageAnswer::Ok;
}

bool Bench::check(bool ok, const QString& what) {
    if (!ok) {
        ++m_failures;
        std::fprintf(stderr, "check failed: %s\n", qPrintable(what));
    }
    return ok;
}

// In a measuring child, the stage begins with the tree listed, as a user has the list when a
// screen reader first reads it, on both sides alike; with a screen reader, it reads the list as
// when the list gets focus, and what it received during the stage is noted.
template <class Stage>
void Bench::withReader(const char* stage, const Tree& listed, Stage&& measure) {
    std::optional<QJsonObject> before;
    if (!m_options.accessibilityChild.isEmpty()) {
        if (m_window->folderList().count() == 0) {
            m_dialogs.chosenFolder = listed.root;
            PushButton3_Click(*m_window);
        }
        if (m_reader)
            before = readerReadsList();
    }
    measure();
    if (before)
        noteReader(stage, *before);
}

int Bench::run() {
    std::optional<QTemporaryDir> temporary;
    QString base = m_options.folder;
    if (base.isEmpty()) {
        temporary.emplace(QDir::tempPath() + QStringLiteral("/tarnwick-bench-XXXXXX"));
        base = temporary->path();
    } else {
        QDir().mkpath(base);
        base = QDir(base).absolutePath();
    }
    const int depth = m_options.quick ? 4 : 5;
    const int flat = m_options.quick ? 1000 : 10000;
    const Tree nested = MakeTree(base, QStringLiteral("nested"), 10, depth);
    const Tree flatTree = MakeTree(base, QStringLiteral("flat"), flat, 1);

    m_window.emplace(Form1Dependencies{m_dialogs, HostFileSystem(), base, {}});
    m_window->Form_Load();
    m_window->show();
    QCoreApplication::processEvents();

    const auto wanted = [&](const char* stage) {
        return m_options.stages.contains(QLatin1String(stage));
    };
    const auto measured = [&](const Tree& tree) { return m_options.trees.contains(tree.name); };
    if (wanted("add")) {
        withReader("add", nested, [&] {
            for (const Tree* tree : {&nested, &flatTree})
                if (measured(*tree))
                    addStage(*tree);
        });
    }
    if (wanted("preview")) {
        // The list as a user has it after adding the nested tree.
        m_window->folderList().removeAll();
        RestartPeak();
        m_dialogs.chosenFolder = nested.root;
        PushButton3_Click(*m_window);
        withReader("preview", nested, [&] { previewStage(nested); });
    }
    if (wanted("run")) {
        withReader("run", nested, [&] {
            for (const Tree* tree : {&nested, &flatTree})
                if (measured(*tree))
                    runStage(*tree);
        });
    }
    if (wanted("run") || wanted("journal")) {
        for (const Tree* tree : {&nested, &flatTree})
            if (measured(*tree))
                journalRunStage(*tree);
    }
    if (wanted("command") && m_options.accessibilityChild.isEmpty()) {
        for (Row& row :
             CommandLineRows(base, depth, m_options.repeats,
                             [this](bool ok, const QString&what) { return check(ok, what); }))
            m_rows.push_back(std::move(row));
    }
    if (m_options.accessibility && m_options.accessibilityChild.isEmpty())
        accessibilityRows();
    m_window->folderList().removeAll();
    check(m_dialogs.messages == 0, QStringLiteral("no message was shown"));
    report();
    if (!m_options.folder.isEmpty()) {
        QDir(nested.root).removeRecursively();
        QDir(flatTree.root).removeRecursively();
    }
    return m_failures ? 1 : 0;
}

} // namespace tarnwick::bench
