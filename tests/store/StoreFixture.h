#pragma once

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace qel::test {

// A fresh database for every test of a suite, with short readers of one value.
class DatabaseTest : public ::testing::Test {
protected:
    QString text(const QString& sql, const QVariantList& values = {}) { return db.scalar(sql, values).toString(); }
    int count(const QString& sql, const QVariantList& values = {}) { return db.scalar(sql, values).toInt(); }

    TempDatabase temp;
    store::Database& db = temp.db();
};

} // namespace qel::test
