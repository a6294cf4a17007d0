#include "ui/stacking.h"

#include <QGuiApplication>
#include <QRect>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#ifdef MORNA_X11_STACKING
#include <xcb/xcb.h>
#endif

namespace morna::ui {

#ifdef MORNA_X11_STACKING
namespace {

// A reply of the server, freed when it goes.
template <class R>
struct Reply {
  R* r;
  explicit Reply(R* reply) : r(reply) {}
  ~Reply() { std::free(r); }
  Reply(const Reply&) = delete;
  Reply& operator=(const Reply&) = delete;
  R* operator->() const { return r; }
  explicit operator bool() const { return r != nullptr; }
};

}  // namespace

std::vector<bool> CoveredWindows(const std::vector<QWidget*>& windows) {
  std::vector<bool> covered(windows.size(), true);
  if (windows.empty() || QGuiApplication::platformName() != QLatin1String("xcb")) return covered;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c) return covered;
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;

  // The windows on the screen, bottom first.
  const Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
  if (!tree) return covered;
  const xcb_window_t* stack = xcb_query_tree_children(tree.r);
  const int count = xcb_query_tree_children_length(tree.r);
  std::unordered_map<xcb_window_t, int> place;
  for (int i = 0; i < count; ++i) place.emplace(stack[i], i);

  // Each window's place: its own without a window manager, its frame's with
  // one (found upwards from the window, the requests of a level sent at once).
  const std::size_t n = windows.size();
  std::vector<int> at(n, -1);
  std::vector<xcb_window_t> path(n);
  for (std::size_t k = 0; k < n; ++k) path[k] = static_cast<xcb_window_t>(windows[k]->winId());
  for (int level = 0; level < 8; ++level) {
    std::vector<std::size_t> ask;
    for (std::size_t k = 0; k < n; ++k) {
      if (at[k] >= 0 || path[k] == XCB_NONE) continue;
      if (const auto it = place.find(path[k]); it != place.end()) at[k] = it->second;
      else ask.push_back(k);
    }
    if (ask.empty()) break;
    std::vector<xcb_query_tree_cookie_t> cookies;
    for (std::size_t k : ask) cookies.push_back(xcb_query_tree(c, path[k]));
    for (std::size_t i = 0; i < ask.size(); ++i) {
      const Reply<xcb_query_tree_reply_t> up(xcb_query_tree_reply(c, cookies[i], nullptr));
      const std::size_t k = ask[i];
      path[k] = (!up || up->parent == root) ? XCB_NONE : up->parent;
    }
  }
  const auto lowest = std::min_element(at.begin(), at.end(), [count](int a, int b) {
    return (a < 0 ? count : a) < (b < 0 ? count : b);
  });
  if (*lowest < 0) return covered;

  // What stands above the lowest of them, where, if it is shown at all: the
  // windows given are known here, the others are asked of the server.
  struct Above {
    int place;
    QRect rect;
  };
  std::vector<Above> above;
  std::unordered_map<int, std::size_t> given;
  for (std::size_t k = 0; k < n; ++k)
    if (at[k] >= 0) given.emplace(at[k], k);
  std::vector<int> asked;
  std::vector<xcb_get_window_attributes_cookie_t> attributes;
  std::vector<xcb_get_geometry_cookie_t> geometries;
  for (int i = *lowest + 1; i < count; ++i) {
    if (const auto it = given.find(i); it != given.end()) {
      above.push_back({i, windows[it->second]->frameGeometry()});
      continue;
    }
    asked.push_back(i);
    attributes.push_back(xcb_get_window_attributes(c, stack[i]));
    geometries.push_back(xcb_get_geometry(c, stack[i]));
  }
  for (std::size_t j = 0; j < asked.size(); ++j) {
    const Reply<xcb_get_window_attributes_reply_t> a(
        xcb_get_window_attributes_reply(c, attributes[j], nullptr));
    const Reply<xcb_get_geometry_reply_t> g(xcb_get_geometry_reply(c, geometries[j], nullptr));
    if (!a || !g || a->map_state != XCB_MAP_STATE_VIEWABLE ||
        a->_class == XCB_WINDOW_CLASS_INPUT_ONLY)
      continue;
    above.push_back({asked[j], QRect(g->x, g->y, g->width + 2 * g->border_width,
                                     g->height + 2 * g->border_width)});
  }
  for (std::size_t k = 0; k < n; ++k) {
    if (at[k] < 0) continue;
    const QRect own = windows[k]->frameGeometry();
    covered[k] = std::any_of(above.begin(), above.end(), [&](const Above& w) {
      return w.place > at[k] && w.rect.intersects(own);
    });
  }
  return covered;
}

#else

std::vector<bool> CoveredWindows(const std::vector<QWidget*>& windows) {
  return std::vector<bool>(windows.size(), true);
}

#endif

}  // namespace morna::ui
