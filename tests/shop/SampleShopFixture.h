#pragma once

#include "sample-shop/SampleShop.h"

#include <gtest/gtest.h>
#include <QString>

namespace norvan::shop {

// A sample shop on a loopback port the system picks, for the length of one test.
class SampleShopFixture : public ::testing::Test {
  protected:
    static inline const QString kKey =
        QStringLiteral("ck_4f1c2d0b8e7a6950c3b2a1d0e9f8a7b6c5d4e3f2");
    static inline const QString kSecret =
        QStringLiteral("cs_9a8b7c6d5e4f30211f2e3d4c5b6a79881a2b3c4d");

    void SetUp() override { shop_.start(); }

    QString baseUrl() const { return QString::fromStdString(shop_.baseUrl()); }

    sampleshop::SampleShop shop_;
};

}  // namespace norvan::shop
