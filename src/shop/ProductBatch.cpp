#include "ProductBatch.h"

#include "AnswerSax.h"

namespace norvan::shop {

namespace {

const char* listName(BatchAction action) {
    return action == BatchAction::Create ? "create" : "update";
}

// Walks {"<list>": [{item}, {"id": …, "error": {"code": …, "message": …, "data": {"status": …}}}]}
// and keeps of each item only whether it has an error and what the error says.
class BatchAnswerReader : public AnswerSax {
  public:
    explicit BatchAnswerReader(const char* listName) : listName_(listName) {}

    struct Item {
        bool refused = false;
        QString code;
        QString message;
        long status = 0;
    };

    // The last member of the list's name was an array of objects only. Only an object's members
    // have names: found, the answer is an object.
    bool listFound = false;
    QList<Item> items;

  private:
    enum Depth { kAnswer, kList, kItem, kItemMember, kErrorMember, kDataMember };

    void containerStarted(int depth, std::string_view name, bool isArray) override {
        switch (depth) {
            case kList:
                inList_ = name == listName_ && isArray;
                if (name == listName_) {
                    listFound = inList_;
                    items.clear();
                }
                break;
            case kItem:
                if (!inList_) break;
                if (isArray) listFound = false;
                items.emplaceBack();
                inItem_ = !isArray;
                break;
            case kItemMember:
                if (!inItem_ || name != "error") break;
                items.last().refused = true;
                inError_ = !isArray;
                break;
            case kErrorMember:
                inData_ = inError_ && name == "data" && !isArray;
                break;
            default:
                break;
        }
    }
    void containerEnded(int depth) override {
        switch (depth) {
            case kList:
                inList_ = false;
                break;
            case kItem:
                inItem_ = false;
                break;
            case kItemMember:
                inError_ = false;
                break;
            case kErrorMember:
                inData_ = false;
                break;
            default:
                break;
        }
    }
    void stringValue(int depth, std::string_view name, const AnswerString& value) override {
        scalar(depth, name);
        if (depth != kErrorMember || !inError_) return;
        if (name == "code") items.last().code = value.text();
        if (name == "message") items.last().message = value.text();
    }
    void numberValue(int depth, std::string_view name, std::string_view text) override {
        scalar(depth, name);
        if (depth == kDataMember && inData_ && name == "status")
            items.last().status = static_cast<long>(wholeNumber(text).value_or(0));
    }
    void literalValue(int depth, std::string_view name) override { scalar(depth, name); }

    // A scalar where the list or an item belongs, or an item's error that is not an object.
    void scalar(int depth, std::string_view name) {
        if (depth == kList && name == listName_) {
            listFound = false;
            items.clear();
        } else if (depth == kItem && inList_) {
            listFound = false;
            items.emplaceBack();
        } else if (depth == kItemMember && inItem_ && name == "error") {
            items.last().refused = true;
        }
    }

    const std::string_view listName_;
    bool inList_ = false;
    bool inItem_ = false;
    bool inError_ = false;
    bool inData_ = false;
};

}  // namespace

QString batchSuccessText(BatchAction action) {
    return action == BatchAction::Create ? QStringLiteral("201 create product.")
                                         : QStringLiteral("201 update product.");
}

QByteArray batchRequestBody(BatchAction action, const QList<JsonBody>& items) {
    QByteArray body = QByteArray("{\"") + listName(action) + "\":[";
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0) body += ',';
        body += items.at(i).compactText();
    }
    return body + "]}";
}

std::optional<BatchResult> batchItemResults(const QByteArray& answer, BatchAction action,
                                            qsizetype itemCount) {
    BatchAnswerReader reader(listName(action));
    if (!reader.read(answer) || !reader.listFound || reader.items.size() != itemCount)
        return std::nullopt;

    BatchResult result;
    result.itemResults.reserve(itemCount);
    result.itemFailures.reserve(itemCount);
    for (const BatchAnswerReader::Item& item : reader.items) {
        if (!item.refused) {
            result.itemResults.append(batchSuccessText(action));
            result.itemFailures.emplaceBack();
            continue;
        }
        const QString message = decodeHtmlEntities(item.message);
        result.itemResults.append(QStringLiteral("Error: ") + item.message);
        result.itemFailures.append({.status = item.status, .code = item.code, .message = message});
    }
    return result;
}

}  // namespace norvan::shop
