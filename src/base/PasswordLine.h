#pragma once

#include <QString>
#include <cstdio>
#include <optional>

namespace qel::app {

// A password given to a program on its standard input: asked for on `prompt` without echo when
// `input` is a terminal, else the first line of `input` (without its CR-LF or LF). Nothing when
// the line runs past kMaxPasswordBytes (a stream such as /dev/zero): at most that many bytes and
// one more are read.
constexpr int kMaxPasswordBytes = 1024;
QString passwordTooLongText(); // the message of a line that runs past the limit
std::optional<QString> readPasswordLine(const QString& user, FILE* input = stdin, FILE* prompt = stderr);

} // namespace qel::app
