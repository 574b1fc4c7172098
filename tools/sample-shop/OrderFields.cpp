#include "OrderFields.h"

namespace norvan::sampleshop {

namespace {

const std::vector<FieldRule>& orderRules() {
    using T = FieldType;
    static const std::vector<FieldRule> rules = {
        {"id", T::ReadOnly},
        {"parent_id", T::Integer},
        {"number", T::ReadOnly},
        {"order_key", T::ReadOnly},
        {"created_via", T::ReadOnly},
        {"version", T::ReadOnly},
        {"status", T::String, false, orderStatuses()},
        {"currency", T::String},
        {"date_created", T::ReadOnly},
        {"date_created_gmt", T::ReadOnly},
        {"date_modified", T::ReadOnly},
        {"date_modified_gmt", T::ReadOnly},
        {"discount_total", T::ReadOnly},
        {"discount_tax", T::ReadOnly},
        {"shipping_total", T::ReadOnly},
        {"shipping_tax", T::ReadOnly},
        {"cart_tax", T::ReadOnly},
        {"total", T::ReadOnly},
        {"total_tax", T::ReadOnly},
        {"prices_include_tax", T::ReadOnly},
        {"customer_id", T::Integer},
        {"customer_ip_address", T::ReadOnly},
        {"customer_user_agent", T::ReadOnly},
        {"customer_note", T::String},
        {"billing", T::Object},
        {"shipping", T::Object},
        {"payment_method", T::String},
        {"payment_method_title", T::String},
        {"transaction_id", T::String},
        {"date_paid", T::ReadOnly},
        {"date_paid_gmt", T::ReadOnly},
        {"date_completed", T::ReadOnly},
        {"date_completed_gmt", T::ReadOnly},
        {"cart_hash", T::ReadOnly},
        {"meta_data", T::Array},
        {"line_items", T::Array},
        {"tax_lines", T::ReadOnly},
        {"shipping_lines", T::Array},
        {"fee_lines", T::Array},
        {"coupon_lines", T::Array},
        {"refunds", T::ReadOnly},
        {"payment_url", T::ReadOnly},
        {"is_editable", T::ReadOnly},
        {"needs_payment", T::ReadOnly},
        {"needs_processing", T::ReadOnly},
        {"currency_symbol", T::ReadOnly},
        {"_links", T::ReadOnly},
    };
    return rules;
}

}  // namespace

const std::vector<std::string>& orderStatuses() {
    static const std::vector<std::string> statuses = {"auto-draft", "pending",   "processing",
                                                      "on-hold",    "completed", "cancelled",
                                                      "refunded",   "failed",    "checkout-draft"};
    return statuses;
}

FieldCheck checkOrderFields(const nlohmann::ordered_json& body) {
    return checkFields(body, orderRules());
}

void applyOrderFields(nlohmann::ordered_json& order, const nlohmann::ordered_json& values,
                      const std::string& now) {
    const std::string oldStatus = textMember(order, "status");
    mergeMembers(order, values);
    const std::string status = textMember(order, "status");
    if (status != oldStatus) {
        if (status == "completed") {
            order["date_completed"] = now;
            order["date_completed_gmt"] = now;
        }
        if ((status == "processing" || status == "completed") &&
            textMember(order, "date_paid").empty()) {
            order["date_paid"] = now;
            order["date_paid_gmt"] = now;
        }
    }
    order["date_modified"] = now;
    order["date_modified_gmt"] = now;
}

}  // namespace norvan::sampleshop
