#pragma once

#include "sample-shop/SampleShop.h"
#include "support/WindowFixture.h"

#include <QString>
#include <QStringList>
#include <map>
#include <string>
#include <vector>

namespace norvan::testing {

// A program folder whose stored settings have the unattended mode on, against the sample shop
// in-process, which checks OAuth 1.0a as WooCommerce does over plain HTTP (Basic is refused
// there). The window is started on demand; its cycles are driven directly, not by the timer.
class UnattendedFixture : public WindowFixture {
  protected:
    void SetUp() override;

    // Ticks the cycle and waits until both of its runs are over.
    void runCycle();
    void waitForRuns();

    // Order 16 of the seed again, as a new order in processing with the given id.
    void addOrder(long long id);
    std::string orderStatus(long long id) const { return shop.order(id)["status"]; }
    QStringList orderFiles() const;
    // How many order files name each order id (the first field of their header line).
    std::map<QString, int> orderFileCounts() const;

    // A product line for sku with this stock and regular price, quoted so that "C 10" stays one
    // field; recorded as the newest line for the SKU.
    QString productLine(const std::string& sku, int stock, int regularPrice);
    // Drops a product file of these lines (CR LF, the code page) into Products, stamped a
    // minute before the window's clock so that it counts as complete.
    void dropProductFile(const QString& name, const QStringList& lines) const;
    // The product lines the program keeps for the shop, read from its settings database.
    QStringList keptProductLines() const;
    QString waitingProductText() const;  // the text of every product file still in Products

    // What holds at any instant: no order has two files, no order of `orders` is completed
    // without its file, and the newest line of every SKU is in the shop, kept, or still in its
    // product file.
    void expectNothingLostOrDoubled(const std::vector<long long>& orders) const;
    // What holds once the shop answers again: every order of `orders` has one file and is
    // completed; every product has its newest line's values, and no line is left over.
    void expectEverythingDelivered(const std::vector<long long>& orders) const;

    sampleshop::SampleShop shop{sampleshop::SampleShop::defaultSeed(), plainHttpShop()};

  private:
    struct NewestLine {
        QString text;
        int stock = 0;
        QString regularPrice;
    };

    static sampleshop::Options plainHttpShop();
    bool inShop(const nlohmann::ordered_json& product, const NewestLine& line) const;

    std::map<std::string, NewestLine> newestLines_;
};

}  // namespace norvan::testing
