#include "cli/arguments.h"

#include <QCoreApplication>

namespace tarnwick::cli {

namespace {

const QByteArray kCaseOption = "--case";
const QByteArray kRecoverOption = "--recover";

bool IsValued(const QByteArray& argument, const QByteArray& option) {
    return argument == option || argument.startsWith(option + '=');
}

// The value of an option given as "--option value" or "--option=value"; none at the end.
std::optional<QByteArray> ValueOf(const QList<QByteArray>& arguments, qsizetype& at,
                                  const QByteArray& option) {
    const QByteArray& argument = arguments[at];
    if (argument.size() > option.size())
        return argument.mid(option.size() + 1);
    if (at + 1 < arguments.size())
        return arguments[++at];
    return std::nullopt;
}

bool TakeSettle(const QList<QByteArray>& arguments, qsizetype& at, Request& request,
                UsageError& error) {
    const std::optional<QByteArray> value = ValueOf(arguments, at, kRecoverOption);
    if (value == "finish")
        request.settle = Request::Settle::Finish;
    else if (value == "take-back")
        request.settle = Request::Settle::TakeBack;
    else {
        error.text = QCoreApplication::translate(
            "Tarnwick", "--recover needs how to settle the interrupted run: finish or take-back");
        return false;
    }
    return true;
}

QString Option(const QByteArray& argument) {
    return QString::fromLocal8Bit(argument);
}

// One option, or false with error set.
bool TakeOption(const QList<QByteArray>& arguments, qsizetype& at, Request& request, bool& undo,
                UsageError& error) {
    const QByteArray& argument = arguments[at];
    if (argument == "-h" || argument == "--help" || argument == "-?" || argument == "--help-all") {
        request.kind = Request::Kind::Help;
        return true;
    }
    if (argument == "-v" || argument == "--version") {
        request.kind = Request::Kind::Version;
        return true;
    }
    if (argument == "--apply")
        request.apply = true;
    else if (argument == "--json")
        request.json = true;
    else if (argument == "--no-subfolders")
        request.subfolders = false;
    else if (argument == "--undo")
        undo = true;
    else if (IsValued(argument, kRecoverOption))
        return TakeSettle(arguments, at, request, error);
    else if (IsValued(argument, kCaseOption)) {
        const std::optional<QByteArray> value = ValueOf(arguments, at, kCaseOption);
        if (!value) {
            error.text = QCoreApplication::translate(
                "Tarnwick", "--case needs an operation: upper, lower, proper or sentence");
            return false;
        }
        const QByteArray name = *value;
        request.operation = OperationNamed(name);
        if (!request.operation) {
            error.text =
                QCoreApplication::translate(
                    "Tarnwick", "unknown operation '%1': use upper, lower, proper or sentence")
                    .arg(Option(name));
            return false;
        }
    } else {
        error.text =
            QCoreApplication::translate("Tarnwick", "unknown option '%1'").arg(Option(argument));
        return false;
    }
    return true;
}

// The request is whole: one of --case and --undo, with what each takes.
bool CheckWhole(Request& request, bool undo, UsageError& error) {
    if (undo && request.operation) {
        error.text =
            QCoreApplication::translate("Tarnwick", "--case and --undo exclude each other");
        return false;
    }
    if (undo) {
        request.kind = Request::Kind::Undo;
        if (!request.folders.isEmpty() || !request.subfolders) {
            error.text = QCoreApplication::translate("Tarnwick", "--undo takes no FOLDER");
            return false;
        }
        return true;
    }
    if (!request.operation && request.settle != Request::Settle::Ask && !request.apply &&
        request.folders.isEmpty() && request.subfolders) {
        request.kind = Request::Kind::Recover;
        return true;
    }
    if (!request.operation) {
        error.text = QCoreApplication::translate(
            "Tarnwick", "no operation: give --case upper, lower, proper or sentence, or --undo");
        return false;
    }
    request.kind = Request::Kind::Case;
    if (request.folders.isEmpty()) {
        error.text = QCoreApplication::translate("Tarnwick", "no FOLDER given");
        return false;
    }
    if (request.folders.size() > 1 && request.folders.contains("-")) {
        error.text = QCoreApplication::translate(
            "Tarnwick", "'-' reads the folders from standard input and must be the only FOLDER");
        return false;
    }
    return true;
}

} // namespace

std::optional<Operation> OperationNamed(const QByteArray& name) {
    if (name == "upper")
        return Operation::UpperCase;
    if (name == "lower")
        return Operation::LowerCase;
    if (name == "proper")
        return Operation::ProperCase;
    if (name == "sentence")
        return Operation::SentenceCase;
    return std::nullopt;
}

bool WantsTerminal(const QList<QByteArray>& arguments) {
    for (qsizetype at = 1; at < arguments.size(); ++at) {
        const QByteArray& argument = arguments[at];
        if (argument == "--")
            return false;
        if (IsValued(argument, kCaseOption) || IsValued(argument, kRecoverOption) ||
            argument == "--undo" || argument == "--apply" || argument == "--json" ||
            argument == "--no-subfolders" || argument == "-h" || argument == "--help" ||
            argument == "-?" || argument == "--help-all" || argument == "-v" ||
            argument == "--version")
            return true;
    }
    return false;
}

std::optional<Request> ParseRequest(const QList<QByteArray>& arguments, UsageError& error) {
    Request request;
    request.kind = Request::Kind::Case;
    bool undo = false;
    bool optionsEnded = false;
    for (qsizetype at = 1; at < arguments.size(); ++at) {
        const QByteArray& argument = arguments[at];
        if (optionsEnded || argument == "-" || !argument.startsWith('-')) {
            request.folders.append(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (!TakeOption(arguments, at, request, undo, error))
            return std::nullopt;
        // Help and version answer at once, whatever else is given.
        if (request.kind == Request::Kind::Help || request.kind == Request::Kind::Version)
            return request;
    }
    if (!CheckWhole(request, undo, error))
        return std::nullopt;
    return request;
}

} // namespace tarnwick::cli
