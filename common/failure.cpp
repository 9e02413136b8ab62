#include "common/failure.h"

#include <utility>

namespace tarnwick {

Failure::Failure(int number, QString description)
    : m_number(number), m_description(std::move(description)), m_what(m_description.toUtf8()) {}

} // namespace tarnwick
