#pragma once

namespace tarnwick {

class WindowServices;

// "Help": one message naming the maker's contact page.
void PushButton4_Click(WindowServices& window);

} // namespace tarnwick
