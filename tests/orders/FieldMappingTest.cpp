#include "orders/FieldMapping.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

namespace norvan::orders {
namespace {

TEST(MapField, AddsOnlyFieldsNotMappedIgnoringCase) {
    QStringList mapped;
    for (const char* field : {"name", "quantity", "name", "NAME", "Quantity", "price", "name"})
        mapField(mapped, field);
    EXPECT_EQ(mapped, QStringList({"name", "quantity", "price"}));

    QStringList restored = {"id", "id"};  // restored from the settings, may repeat
    EXPECT_FALSE(mapField(restored, "ID"));
    EXPECT_TRUE(mapField(restored, "billing.first_name"));
    EXPECT_EQ(restored, QStringList({"id", "id", "billing.first_name"}));
}

}  // namespace
}  // namespace norvan::orders
