// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target for the sign-in callback's request reader: a code or a failure only from a request
// that carried the state and the receiver's own Host, every refusal explains itself, and no reason
// quotes a control character.
#include "app/google/LoopbackAuthorizationReceiver.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tivren;
    using Kind = LoopbackAuthorizationReceiver::CallbackResult::Kind;
    const QString request = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto result = LoopbackAuthorizationReceiver::parse(request, QStringLiteral("s7Q-state_1"), 8765);
    const bool endsTheWait = result.kind == Kind::code || result.kind == Kind::failure;
    if (endsTheWait && (!request.contains(QStringLiteral("state=")) || !request.contains(QStringLiteral(":8765"))))
        std::abort();
    if (result.kind == Kind::code && result.value.isEmpty())
        std::abort();
    if (result.kind == Kind::failure && std::any_of(result.value.cbegin(), result.value.cend(), [](QChar c) {
            return c.category() == QChar::Other_Control;
        }))
        std::abort();
    if (result.kind != Kind::ignored && result.kind != Kind::code && result.value.isEmpty())
        std::abort();
    return 0;
}
