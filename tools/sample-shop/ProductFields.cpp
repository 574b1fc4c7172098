#include "ProductFields.h"

#include <algorithm>
#include <cctype>

namespace norvan::sampleshop {

namespace {

const std::vector<FieldRule>& productRules() {
    using T = FieldType;
    static const std::vector<FieldRule> rules = {
        {"id", T::ReadOnly},
        {"name", T::String},
        {"slug", T::String},
        {"permalink", T::ReadOnly},
        {"date_created", T::ReadOnly},
        {"date_created_gmt", T::ReadOnly},
        {"date_modified", T::ReadOnly},
        {"date_modified_gmt", T::ReadOnly},
        {"type", T::String, false, {"simple", "grouped", "external", "variable"}},
        {"status", T::String, false, {"draft", "pending", "private", "publish", "future"}},
        {"featured", T::Boolean},
        {"catalog_visibility", T::String, false, {"visible", "catalog", "search", "hidden"}},
        {"description", T::String},
        {"short_description", T::String},
        {"sku", T::String},
        {"price", T::ReadOnly},
        {"regular_price", T::String},
        {"sale_price", T::String},
        {"on_sale", T::ReadOnly},
        {"purchasable", T::ReadOnly},
        {"total_sales", T::ReadOnly},
        {"virtual", T::Boolean},
        {"downloadable", T::Boolean},
        {"tax_status", T::String, false, {"taxable", "shipping", "none"}},
        {"tax_class", T::String},
        {"manage_stock", T::Boolean},
        {"stock_quantity", T::Integer, true},
        {"backorders", T::String, false, {"no", "notify", "yes"}},
        {"backorders_allowed", T::ReadOnly},
        {"backordered", T::ReadOnly},
        {"low_stock_amount", T::Integer, true},
        {"sold_individually", T::Boolean},
        {"weight", T::String},
        {"dimensions", T::Object},
        {"shipping_required", T::ReadOnly},
        {"shipping_taxable", T::ReadOnly},
        {"shipping_class", T::String},
        {"reviews_allowed", T::Boolean},
        {"average_rating", T::ReadOnly},
        {"rating_count", T::ReadOnly},
        {"purchase_note", T::String},
        {"categories", T::Array},
        {"tags", T::Array},
        {"images", T::Array},
        {"attributes", T::Array},
        {"menu_order", T::Integer},
        {"price_html", T::ReadOnly},
        {"related_ids", T::ReadOnly},
        {"meta_data", T::Array},
        {"stock_status", T::String, false, {"instock", "outofstock", "onbackorder"}},
        {"has_options", T::ReadOnly},
        {"_links", T::ReadOnly},
    };
    return rules;
}

}  // namespace

FieldCheck checkProductFields(const nlohmann::ordered_json& body) {
    return checkFields(body, productRules());
}

nlohmann::ordered_json uncheckedProductFields(const nlohmann::ordered_json& item) {
    FieldCheck check = checkProductFields(item);
    for (const InvalidParameter& invalid : check.invalid) {
        if (check.values.contains(invalid.name)) continue;  // another value of an enum: as sent
        const auto& value = item.at(invalid.name);
        const auto rule = std::find_if(
            productRules().begin(), productRules().end(),
            [&](const FieldRule& candidate) { return candidate.name == invalid.name; });
        const bool castToText = rule->type == FieldType::String && value.is_number();
        check.values[invalid.name] =
            castToText ? nlohmann::ordered_json(value.dump()) : nlohmann::ordered_json();
    }
    return check.values;
}

nlohmann::ordered_json productTemplate(const std::string& now) {
    return {
        {"name", ""},
        {"slug", ""},
        {"permalink", ""},
        {"date_created", now},
        {"date_created_gmt", now},
        {"date_modified", now},
        {"date_modified_gmt", now},
        {"type", "simple"},
        {"status", "publish"},
        {"featured", false},
        {"catalog_visibility", "visible"},
        {"description", ""},
        {"short_description", ""},
        {"sku", ""},
        {"price", ""},
        {"regular_price", ""},
        {"sale_price", ""},
        {"date_on_sale_from", nullptr},
        {"date_on_sale_from_gmt", nullptr},
        {"date_on_sale_to", nullptr},
        {"date_on_sale_to_gmt", nullptr},
        {"on_sale", false},
        {"purchasable", false},
        {"total_sales", 0},
        {"virtual", false},
        {"downloadable", false},
        {"downloads", nlohmann::ordered_json::array()},
        {"download_limit", -1},
        {"download_expiry", -1},
        {"external_url", ""},
        {"button_text", ""},
        {"tax_status", "taxable"},
        {"tax_class", ""},
        {"manage_stock", false},
        {"stock_quantity", nullptr},
        {"backorders", "no"},
        {"backorders_allowed", false},
        {"backordered", false},
        {"low_stock_amount", nullptr},
        {"sold_individually", false},
        {"weight", ""},
        {"dimensions", {{"length", ""}, {"width", ""}, {"height", ""}}},
        {"shipping_required", true},
        {"shipping_taxable", true},
        {"shipping_class", ""},
        {"shipping_class_id", 0},
        {"reviews_allowed", true},
        {"average_rating", "0.00"},
        {"rating_count", 0},
        {"upsell_ids", nlohmann::ordered_json::array()},
        {"cross_sell_ids", nlohmann::ordered_json::array()},
        {"parent_id", 0},
        {"purchase_note", ""},
        {"categories", nlohmann::ordered_json::array(
                           {{{"id", 15}, {"name", "Uncategorized"}, {"slug", "uncategorized"}}})},
        {"tags", nlohmann::ordered_json::array()},
        {"images", nlohmann::ordered_json::array()},
        {"attributes", nlohmann::ordered_json::array()},
        {"default_attributes", nlohmann::ordered_json::array()},
        {"variations", nlohmann::ordered_json::array()},
        {"grouped_products", nlohmann::ordered_json::array()},
        {"menu_order", 0},
        {"related_ids", nlohmann::ordered_json::array()},
        {"meta_data", nlohmann::ordered_json::array()},
        {"stock_status", "instock"},
        {"has_options", false},
    };
}

void applyProductFields(nlohmann::ordered_json& product, const nlohmann::ordered_json& values,
                        const std::string& now) {
    if (textMember(product, "type") == "variable") {
        // Prices live on the variations; the product's price follows theirs.
        nlohmann::ordered_json withoutPrices = values;
        withoutPrices.erase("regular_price");
        withoutPrices.erase("sale_price");
        mergeMembers(product, withoutPrices);
    } else {
        mergeMembers(product, values);
        const std::string salePrice = textMember(product, "sale_price");
        const std::string price =
            salePrice.empty() ? textMember(product, "regular_price") : salePrice;
        product["price"] = price;
        product["on_sale"] = !salePrice.empty();
        product["purchasable"] = !price.empty();
    }

    const auto manageStock = product.find("manage_stock");
    if (manageStock != product.end() && manageStock->is_boolean() && manageStock->get<bool>()) {
        auto& quantity = product["stock_quantity"];
        if (!quantity.is_number_integer()) quantity = 0;
        const bool backorders = textMember(product, "backorders") == "notify" ||
                                textMember(product, "backorders") == "yes";
        product["stock_status"] = quantity.get<long long>() > 0 ? "instock"
                                  : backorders                  ? "onbackorder"
                                                                : "outofstock";
    } else {
        product["stock_quantity"] = nullptr;
    }

    if (textMember(product, "slug").empty())
        product["slug"] = productSlug(textMember(product, "name"));
    product["date_modified"] = now;
    product["date_modified_gmt"] = now;
}

std::string productSlug(const std::string& name) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string slug;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            slug += '%';
            slug += hex[byte >> 4];
            slug += hex[byte & 0x0F];
        } else if (std::isalnum(byte) || c == '_') {
            slug += static_cast<char>(std::tolower(byte));
        } else if (!slug.empty() && slug.back() != '-') {
            slug += '-';
        }
    }
    while (!slug.empty() && slug.back() == '-') slug.pop_back();
    return slug;
}

}  // namespace norvan::sampleshop
