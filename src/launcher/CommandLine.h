#pragma once

#include "base/PasswordLine.h"

#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

namespace qel::launcher {

// The launcher's command line:
//   qel                                   window (first start offers to create the environment)
//   qel --create-environment DIR [--server URI] [--user USER [--password PW]]
//   qel --copy-environment URI
//   qel --add-demo-taxpayers
//   qel --user NAME [--password PW] [--start 0588]
//   qel --user NAME [--password PW] --send RUC
// A password not given is asked for (terminal) or read from standard input, so that it does
// not show in the process list.
// Single-dash options (-platform offscreen, ...) are left to the toolkit.
struct CommandLine {
    bool help = false;
    std::optional<QString> createEnvironment; // the folder
    std::optional<QString> server;            // with createEnvironment: the office server's URI
    std::optional<QString> copyEnvironment;   // the server the environment's file is copied to
    bool addDemoTaxpayers = false;
    std::optional<QString> user;
    std::optional<QString> password;
    std::optional<QString> start; // form code of the module to start
    std::optional<QString> send;  // RUC whose declaration is sent
    QString error;                // Spanish text when the line cannot be understood

    // `arguments` as the program received them, the program's name first.
    static CommandLine parse(const QStringList& arguments);

    bool hasBatchCommand() const { return createEnvironment || copyEnvironment || addDemoTaxpayers || send; }
    // The window opens when a module is to be started, and when nothing else was asked.
    bool opensWindow() const { return !help && error.isEmpty() && (start || !hasBatchCommand()); }

    static QString helpText();

    // A user was named and its password was not.
    bool needsPassword() const { return user.has_value() && !password.has_value(); }
    // The password of `user`: asked for on `prompt` without echo when `input` is a terminal,
    // else the first line of `input`. Nothing when the line runs past kMaxPasswordBytes (a
    // stream such as /dev/zero): at most that many bytes and one more are read.
    static std::optional<QString> readPassword(const QString& user, FILE* input = stdin, FILE* prompt = stderr);
    // Its message is app::passwordTooLongText().
    static constexpr int kMaxPasswordBytes = app::kMaxPasswordBytes;
};

} // namespace qel::launcher
