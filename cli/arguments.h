#pragma once

#include "transform/operations.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace tarnwick::cli {

// What a command line for the terminal asks for.
struct Request {
    // Recover: --recover alone settles an interrupted run and does nothing else.
    enum class Kind { Help, Version, Case, Undo, Recover };
    Kind kind = Kind::Help;
    // How an interrupted run found at the start is settled: asked on a terminal (and, in a
    // script, told and left), or as --recover says.
    enum class Settle { Ask, Finish, TakeBack };
    Settle settle = Settle::Ask;
    std::optional<Operation> operation;
    bool subfolders = true;
    bool apply = false;
    bool json = false;
    // As given, in the order given; "-" alone reads them from standard input.
    QList<QByteArray> folders;
};

// Why a command line was refused: one line, said on standard error with exit status 2.
struct UsageError {
    QString text;
};

// True when the arguments (the program's name first) ask for the terminal front end: an
// operation, an undo, help or the version. Anything else opens the window.
bool WantsTerminal(const QList<QByteArray>& arguments);

// Reads the arguments, the program's name first, as the host passed them.
std::optional<Request> ParseRequest(const QList<QByteArray>& arguments, UsageError& error);

// The operation named by upper, lower, proper or sentence.
std::optional<Operation> OperationNamed(const QByteArray& name);

} // namespace tarnwick::cli
