#include "printing/PageCommand.h"

namespace qel::printing {

PageCommand PageCommand::tag(Kind kind, QString value) {
    PageCommand command;
    command.kind = kind;
    command.text = std::move(value);
    return command;
}

PageCommand PageCommand::textAt(double column, double row, QString text, bool bold, int size, int page) {
    PageCommand command;
    command.kind = Kind::Text;
    command.column = column;
    command.row = row;
    command.text = std::move(text);
    command.bold = bold;
    command.size = size;
    command.page = page;
    return command;
}

PageCommand PageCommand::box(int page, double left, double top, double right, double bottom) {
    PageCommand command;
    command.kind = Kind::Box;
    command.page = page;
    command.column = left;
    command.row = top;
    command.right = right;
    command.bottom = bottom;
    return command;
}

} // namespace qel::printing
