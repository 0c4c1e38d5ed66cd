// Headers every test includes, compiled once per test target when QEL_PCH is on.
#include <gtest/gtest.h>
#include <QTemporaryDir>
