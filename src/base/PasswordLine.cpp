#include "base/PasswordLine.h"

#include <termios.h>
#include <unistd.h>

namespace qel::app {

QString passwordTooLongText() {
    return QStringLiteral("La contraseña leída de la entrada estándar pasa de %1 bytes sin un fin de línea: no se "
                          "acepta.")
        .arg(kMaxPasswordBytes);
}

std::optional<QString> readPasswordLine(const QString& user, FILE* input, FILE* prompt) {
    const int descriptor = ::fileno(input);
    const bool terminal = descriptor >= 0 && ::isatty(descriptor) == 1;
    termios saved{};
    bool silenced = false;
    if (terminal) {
        std::fputs(QStringLiteral("Contraseña de %1: ").arg(user).toLocal8Bit().constData(), prompt);
        std::fflush(prompt);
        if (::tcgetattr(descriptor, &saved) == 0) {
            termios silent = saved;
            silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            silenced = ::tcsetattr(descriptor, TCSAFLUSH, &silent) == 0;
        }
    }
    QByteArray line;
    bool tooLong = false;
    for (int c = std::fgetc(input); c != EOF && c != '\n'; c = std::fgetc(input)) {
        if (line.size() >= kMaxPasswordBytes) {
            tooLong = true;
            break;
        }
        line.append(static_cast<char>(c));
    }
    if (silenced) {
        ::tcsetattr(descriptor, TCSAFLUSH, &saved);
    }
    if (terminal) {
        std::fputc('\n', prompt);
    }
    if (tooLong) {
        return std::nullopt;
    }
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    return QString::fromLocal8Bit(line);
}

} // namespace qel::app
