#include "BasicAuth.h"

namespace norvan::shop {

BasicAuth::BasicAuth(const QString& userName, const QString& password)
    : header_("Basic " + (userName + u':' + password).toUtf8().toBase64()) {}

QByteArray BasicAuth::authorization(const QByteArray&, const RequestUrl&) {
    return header_;
}

}  // namespace norvan::shop
