#pragma once

#include "sample-shop/SampleShop.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <memory>
#include <string>

namespace norvan::sampleshop {

inline const std::string kApi = "/wp-json/wc/v3/";

// A started shop and clients that talk to it with the right Basic key.
class ShopFixture : public ::testing::Test {
  protected:
    SampleShop& startShop(Options options = {}) {
        shop_ = std::make_unique<SampleShop>(SampleShop::defaultSeed(), std::move(options));
        shop_->start();
        return *shop_;
    }
    void SetUp() override { startShop(); }

    SampleShop& shop() { return *shop_; }

    std::unique_ptr<httplib::Client> client(bool withBasic = true) {
        auto c = std::make_unique<httplib::Client>("127.0.0.1", shop_->port());
        c->set_keep_alive(true);
        c->set_tcp_nodelay(true);
        c->set_url_encode(false);  // targets go out exactly as the tests write them
        if (withBasic) c->set_basic_auth(Options{}.consumerKey, Options{}.consumerSecret);
        return c;
    }

    httplib::Result get(const std::string& resource) { return client()->Get(kApi + resource); }
    httplib::Result put(const std::string& resource, const std::string& body) {
        return client()->Put(kApi + resource, body, "application/json");
    }

  private:
    std::unique_ptr<SampleShop> shop_;
};

inline nlohmann::json bodyOf(const httplib::Result& result) {
    return nlohmann::json::parse(result->body);
}

}  // namespace norvan::sampleshop
