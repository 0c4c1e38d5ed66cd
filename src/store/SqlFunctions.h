#pragma once

struct sqlite3;

namespace qel::store {

// Registers the module's SQL functions on a connection:
//   qel_check_code(types, split, v0, v1, ...)  the row check code of the values, each read
//                                              by its type letter (T, I, D, C, A)
// Copies between the working, permanent and history tables use it, so that a whole table
// moves in one INSERT ... SELECT.
void registerSqlFunctions(sqlite3* handle);

} // namespace qel::store
