#include "config_utility/tests/merovant_test_fixture.h"

#include <gtest/gtest.h>

