#include "launcher/CommandLine.h"

#include "base/PasswordLine.h"

#include <cstdio>

namespace qel::launcher {

namespace {

// Options of the toolkit that take a value; the launcher leaves them alone.
bool isToolkitOptionWithValue(const QString& option) {
    static const QStringList withValue = {QStringLiteral("-platform"),
                                          QStringLiteral("-platformpluginpath"),
                                          QStringLiteral("-platformtheme"),
                                          QStringLiteral("-plugin"),
                                          QStringLiteral("-qwindowgeometry"),
                                          QStringLiteral("-qwindowtitle"),
                                          QStringLiteral("-qwindowicon"),
                                          QStringLiteral("-display"),
                                          QStringLiteral("-geometry"),
                                          QStringLiteral("-style"),
                                          QStringLiteral("-stylesheet"),
                                          QStringLiteral("-session"),
                                          QStringLiteral("-name"),
                                          QStringLiteral("-title")};
    return withValue.contains(option);
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine line;
    auto fail = [&line](const QString& text) {
        if (line.error.isEmpty()) {
            line.error = text + QStringLiteral(" Use qel --help para ver las opciones.");
        }
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        QString option = arguments.at(i);
        std::optional<QString> inlineValue;
        if (option.startsWith(QStringLiteral("--")) && option.contains(QLatin1Char('='))) {
            const auto eq = option.indexOf(QLatin1Char('='));
            inlineValue = option.mid(eq + 1);
            option = option.left(eq);
        }
        auto value = [&]() -> std::optional<QString> {
            if (inlineValue) {
                return inlineValue;
            }
            if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QStringLiteral("--"))) {
                return arguments.at(++i);
            }
            fail(QStringLiteral("Falta el valor de la opción %1.").arg(option));
            return std::nullopt;
        };
        if (option == QStringLiteral("--help") || option == QStringLiteral("-h")) {
            line.help = true;
        } else if (option == QStringLiteral("--create-environment")) {
            line.createEnvironment = value();
        } else if (option == QStringLiteral("--server")) {
            line.server = value();
        } else if (option == QStringLiteral("--copy-environment")) {
            line.copyEnvironment = value();
        } else if (option == QStringLiteral("--add-demo-taxpayers")) {
            line.addDemoTaxpayers = true;
        } else if (option == QStringLiteral("--user")) {
            line.user = value();
        } else if (option == QStringLiteral("--password")) {
            line.password = value();
        } else if (option == QStringLiteral("--start")) {
            line.start = value();
        } else if (option == QStringLiteral("--send")) {
            line.send = value();
        } else if (!option.startsWith(QStringLiteral("--")) && option.startsWith(QLatin1Char('-'))) {
            if (isToolkitOptionWithValue(option)) {
                ++i;
            }
        } else {
            fail(QStringLiteral("Opción desconocida: %1.").arg(arguments.at(i)));
        }
    }
    if (line.password && !line.user) {
        fail(QStringLiteral("La opción --password requiere --user."));
    }
    if (line.server && !line.createEnvironment) {
        fail(QStringLiteral("La opción --server requiere --create-environment."));
    }
    if (line.send && !line.user) {
        // Only the taxpayers of a logged-in user are sent.
        fail(QStringLiteral("La opción --send requiere --user."));
    }
    return line;
}

std::optional<QString> CommandLine::readPassword(const QString& user, FILE* input, FILE* prompt) {
    return app::readPasswordLine(user, input, prompt);
}

QString CommandLine::helpText() {
    return QStringLiteral(
        "Uso: qel [opciones]\n"
        "\n"
        "Integrador del QEL: configuración, base de datos, usuarios y contribuyentes de los\n"
        "módulos de declaración; inicia el módulo 0588 y envía sus declaraciones.\n"
        "Sin opciones abre la ventana del integrador; la primera vez ofrece crear el entorno.\n"
        "\n"
        "Opciones:\n"
        "  --create-environment CARPETA  Crea el entorno en CARPETA: el archivo de configuración\n"
        "                                PM000.INI, las carpetas TMP, RPT, BMP y 0588 (con la ayuda\n"
        "                                del módulo) y la base de datos con sus datos de referencia.\n"
        "                                Si el entorno ya existe no modifica nada.\n"
        "  --server URI                  Con --create-environment: la base de datos es la de un\n"
        "                                servidor PostgreSQL de la oficina (postgresql://servidor/qel,\n"
        "                                creada vacía por el administrador); la contraseña nunca va en\n"
        "                                la dirección: se toma de ~/.pgpass o de PGPASSWORD.\n"
        "  --copy-environment URI        Copia la base de datos en archivo del entorno a la base vacía\n"
        "                                del servidor, comprueba filas y códigos de verificación y\n"
        "                                deja el entorno trabajando con el servidor. El archivo no se\n"
        "                                modifica.\n"
        "  --user USUARIO                Con --create-environment: el usuario (supervisor) que se\n"
        "                                registra en la base nueva. Si no: ingresa como ese usuario\n"
        "                                sin mostrar la ventana de ingreso.\n"
        "  --password CLAVE              Contraseña del usuario indicado con --user. Sin esta opción\n"
        "                                se pide en la terminal o se lee de la entrada estándar (una\n"
        "                                línea), y no queda a la vista en la lista de procesos.\n"
        "  --add-demo-taxpayers          Registra los usuarios de demostración CONTADOR y SUPERVISOR\n"
        "                                (marcados como de demostración) y tres contribuyentes (dos\n"
        "                                de CONTADOR y uno de SUPERVISOR); no repite los ya registrados.\n"
        "  --start 0588                  Abre la ventana del integrador e inicia el módulo 0588.\n"
        "  --send RUC                    Con --user: envía la declaración 2018 del formulario 0588 de\n"
        "                                un contribuyente del usuario: crea su nueva versión en las\n"
        "                                tablas de declaraciones enviadas.\n"
        "  -h, --help                    Muestra esta ayuda.\n"
        "\n"
        "El archivo PM000.INI se busca en $QEL_CONFIG_DIR, si no en $XDG_CONFIG_HOME/qel\n"
        "(~/.config/qel).\n"
        "\n"
        "Ejemplos:\n"
        "  qel --create-environment ~/QEL --user ANA\n"
        "  qel --create-environment ~/QEL --server postgresql://servidor/qel --user ANA\n"
        "  qel --copy-environment postgresql://servidor/qel\n"
        "  qel --add-demo-taxpayers\n"
        "  qel --user CONTADOR --start 0588\n"
        "  echo \"$CLAVE\" | qel --user CONTADOR --send 20512345671\n");
}

} // namespace qel::launcher
