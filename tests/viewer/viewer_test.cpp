// The viewer shell: window start-up, reshape, mouse mapping, picking and dragging,
// and a small scene driven through its registered callbacks.
#include <GL/glut.h>
#include <gtest/gtest.h>
#include <viewer/explanation.h>
#include <viewer/viewer.h>

#include <cmath>

#include "rig.h"
#include "shapes.h"

namespace {

using namespace geometry;
using shapes::near;

// Settings of the tests' own making: every switch off, every switch on, and two opposite mixes.
// clang-format off
constexpr viewer::ViewerSettings allOff{
    .windowWidth = 640, .windowHeight = 480, .reshapeSetsWhite = false, .reshapeEnablesBlend = false,
    .reshapeSetsPointSize = false, .pickRadius = 0.05f, .pickableEntries = viewer::allEntries,
    .redisplayAfterButton = false, .redisplayAfterIdleDrag = false, .passiveMotion = false};
constexpr viewer::ViewerSettings allOn{
    .windowWidth = 640, .windowHeight = 640, .reshapeSetsWhite = true, .reshapeEnablesBlend = true,
    .reshapeSetsPointSize = true, .pickRadius = 0.05f, .pickableEntries = viewer::allEntries,
    .redisplayAfterButton = true, .redisplayAfterIdleDrag = true, .passiveMotion = true};
constexpr viewer::ViewerSettings mixA{
    .windowWidth = 640, .windowHeight = 480, .reshapeSetsWhite = true, .reshapeEnablesBlend = false,
    .reshapeSetsPointSize = true, .pickRadius = 0.05f, .pickableEntries = viewer::allEntries,
    .redisplayAfterButton = false, .redisplayAfterIdleDrag = true, .passiveMotion = false};
constexpr viewer::ViewerSettings mixB{
    .windowWidth = 480, .windowHeight = 640, .reshapeSetsWhite = false, .reshapeEnablesBlend = true,
    .reshapeSetsPointSize = false, .pickRadius = 0.05f, .pickableEntries = viewer::allEntries,
    .redisplayAfterButton = true, .redisplayAfterIdleDrag = false, .passiveMotion = true};
// clang-format on

// A scene built here: the starting square with its corners as points and its convexity label.
VertexStore sceneStore;
Polygon sceneSquare;
viewer::ViewerSettings sceneSettings = allOn;

void sceneDisplay() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_BLEND);
  glColor3f(1, 1, 1);
  glBegin(GL_POLYGON);
  sceneSquare.emitVertices();
  glEnd();
  glColor3f(1, 0, 0);
  glBegin(GL_POINTS);
  sceneSquare.emitVertices();
  glEnd();
  glDisable(GL_BLEND);
  glColor3f(1, 1, 1);
  viewer::drawText(-1, 0.95f, sceneSquare.isConvex(0.01f) ? "convex" : "non-convex");
  glutSwapBuffers();
}

int sceneMain(int argc, char** argv) {
  sceneSquare = shapes::startSquare(sceneStore);
  sceneSquare.computePlane(0.01f);
  return viewer::runViewer(argc, argv, sceneSettings, sceneStore, {sceneDisplay, viewer::onDrag});
}

std::vector<std::string> names(const std::vector<rig::Call>& calls) {
  std::vector<std::string> out;
  for (const rig::Call& c : calls) out.push_back(c.name);
  return out;
}

const rig::Call* find(const std::vector<rig::Call>& calls, const std::string& name) {
  for (const rig::Call& c : calls)
    if (c.name == name) return &c;
  return nullptr;
}

struct NamedSettings {
  const char* name;
  viewer::ViewerSettings settings;
};

void PrintTo(const NamedSettings& s, std::ostream* out) { *out << s.name; }

class ViewerStartup : public ::testing::TestWithParam<NamedSettings> {};

TEST_P(ViewerStartup, OpensTheWindowAndReshapesAsSet) {
  const viewer::ViewerSettings& s = GetParam().settings;
  sceneSettings = s;
  rig::Program program(sceneMain);
  EXPECT_EQ(program.exitCode(), 0);

  std::vector<std::string> expected = {"glutInit",         "glutInitDisplayMode", "glutInitWindowSize",
                                       "glutCreateWindow", "glutDisplayFunc",     "glutReshapeFunc",
                                       "glutMouseFunc",    "glutMotionFunc"};
  if (s.passiveMotion) expected.push_back("glutPassiveMotionFunc");
  expected.push_back("glutMainLoop");
  EXPECT_EQ(names(program.startCalls()), expected);
  EXPECT_EQ(program.startCalls()[0].text, "program_under_test") << "the command line goes to glutInit unchanged";
  EXPECT_EQ(rig::window().title, "zembrola");
  EXPECT_EQ(rig::window().displayMode, unsigned(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH));
  EXPECT_EQ(rig::window().initWidth, s.windowWidth);
  EXPECT_EQ(rig::window().initHeight, s.windowHeight);

  program.reshape(800, 600);
  const std::vector<rig::Call>& calls = rig::callsSinceDisplay();
  EXPECT_EQ(find(calls, "glViewport")->args, (std::vector<double>{0, 0, 800, 600}));
  EXPECT_EQ(find(calls, "glPolygonMode")->args, (std::vector<double>{GL_FRONT_AND_BACK, GL_LINE}));
  EXPECT_EQ(find(calls, "glBlendFunc")->args, (std::vector<double>{GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}));
  EXPECT_EQ(find(calls, "glColor3f") != nullptr, s.reshapeSetsWhite);
  EXPECT_EQ(rig::window().blend, s.reshapeEnablesBlend);
  EXPECT_EQ(rig::window().pointSize, s.reshapeSetsPointSize ? 8 : 1);
  EXPECT_EQ(viewer::windowWidth, 800);
  EXPECT_EQ(viewer::windowHeight, 600);
}

INSTANTIATE_TEST_SUITE_P(EachSwitchBothWays, ViewerStartup,
                         ::testing::Values(NamedSettings{"all_off", allOff}, NamedSettings{"all_on", allOn},
                                           NamedSettings{"mix_a", mixA}, NamedSettings{"mix_b", mixB}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ViewerScene, ShowsTheSquareItsCornersAndItsConvexity) {
  sceneSettings = allOn;
  rig::Program program(sceneMain);
  program.reshape(640, 480);
  rig::Frame frame = program.display();

  ASSERT_EQ(frame.ofMode(GL_POLYGON).size(), 1u);
  EXPECT_EQ(frame.ofMode(GL_POLYGON)[0].positions(), shapes::positions(sceneSquare));
  const rig::Primitive corners = frame.ofMode(GL_POINTS).at(0);
  EXPECT_EQ(corners.positions(), shapes::positions(sceneSquare));
  EXPECT_EQ(corners.vertices[0].color, rig::red);
  EXPECT_EQ(corners.pointSize, 8);
  ASSERT_EQ(frame.labels.size(), 1u);
  EXPECT_EQ(frame.labels[0].text, "convex");
  EXPECT_EQ(frame.labels[0].x, -1);
  EXPECT_EQ(frame.labels[0].y, 0.95f);
  EXPECT_EQ(frame.labels[0].color, rig::white);
  EXPECT_EQ(frame.swaps, 1);

  // Drag the corner at (0.5, 0.5) past the diagonal: the same stored plane now sees a reflex corner.
  program.dragFromToAt({0.5f, 0.5f}, {-0.25f, -0.25f});
  EXPECT_EQ(rig::window().redisplayRequests, 3) << "press, drag and release each ask for a redisplay";
  frame = program.display();
  EXPECT_TRUE(near(frame.ofMode(GL_POINTS).at(0).positions()[2], {-0.25f, -0.25f, 0}));
  EXPECT_EQ(frame.labelTexts(), std::vector<std::string>{"non-convex"});
}

TEST(ViewerScene, HoverMovesTheCursorAndNothingElse) {
  sceneSettings = allOn;
  rig::Program program(sceneMain);
  program.reshape(640, 640);
  program.hover(480, 160);
  EXPECT_TRUE(program.hasPassiveMotion());
  EXPECT_EQ(viewer::cursor.x, 0.5f);
  EXPECT_EQ(viewer::cursor.y, 0.5f);
  EXPECT_EQ(rig::window().redisplayRequests, 1);
  EXPECT_EQ(sceneStore.begin()[2]->position, (Vector3{0.5f, 0.5f, 0})) << "hovering moves nothing";
}

// The functions of the shell, called directly on a state set up by each test.
class ViewerShell : public ::testing::Test {
 protected:
  void SetUp() override {
    viewer::windowWidth = 640;
    viewer::windowHeight = 480;
    viewer::cursor = {};
    viewer::selected = nullptr;
    viewer::activeSettings = allOn;
    viewer::pickable = store;
    rig::clearCalls();
  }
  Vector3& add(float x, float y, float z = 0) {
    geometry::VertexRef ref(Vertex(x, y, z), store);
    return ref->position;
  }
  VertexStore store;
};

TEST_F(ViewerShell, ToSceneMapsCornersAndFollowsResize) {
  struct Row {
    const char* name;
    int width, height, x, y;
    float sx, sy;
  } rows[] = {
      {"centre", 640, 480, 320, 240, 0, 0},
      {"top left", 640, 480, 0, 0, -1, 1},
      {"bottom right", 640, 480, 640, 480, 1, -1},
      {"square window centre", 800, 800, 400, 400, 0, 0},
      {"square window corner", 800, 800, 800, 0, 1, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    viewer::onReshape(row.width, row.height);
    const Vector2 p = viewer::toScene(row.x, row.y);
    EXPECT_EQ(p.x, row.sx);
    EXPECT_EQ(p.y, row.sy);
  }
}

TEST_F(ViewerShell, MinimisedWindowKeepsTheCursorAndTheDraggedVertexFinite) {
  Vector3& corner = add(0.25f, 0.25f);
  viewer::onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 180);  // (0.25, 0.25)
  ASSERT_EQ(viewer::selected, &corner);

  rig::clearCalls();
  viewer::onReshape(0, 480);
  EXPECT_EQ(rig::callsSinceDisplay().front().args, (std::vector<double>{0, 0, 0, 480})) << "viewport as given";
  viewer::onDrag(100, 100);
  viewer::onReshape(640, 0);
  viewer::onDrag(100, 100);
  EXPECT_EQ(corner, (Vector3{0.25f, 0.25f, 0}));
  EXPECT_EQ(viewer::cursor.x, 0.25f);

  viewer::onReshape(640, 480);
  viewer::onDrag(480, 120);
  EXPECT_EQ(corner, (Vector3{0.5f, 0.5f, 0}));
}

TEST_F(ViewerShell, PickIsStrictlyWithinTheRadiusAndFavoursTheEarlierEntry) {
  Vector3& atRadius = add(0.05f, 0);
  EXPECT_EQ(viewer::pickable.pick(viewer::allEntries, {0, 0}, 0.05f), nullptr) << "exactly at the radius";
  Vector3& inside = add(0, -0.0499999f);
  EXPECT_EQ(viewer::pickable.pick(viewer::allEntries, {0, 0}, 0.05f), &inside);
  Vector3& twin = add(0, 0.0499999f);
  EXPECT_EQ(viewer::pickable.pick(viewer::allEntries, {0, 0}, 0.05f), &inside) << "equal distance: earlier wins";
  Vector3& nearest = add(0.01f, 0.01f);
  EXPECT_EQ(viewer::pickable.pick(viewer::allEntries, {0, 0}, 0.05f), &nearest);
  EXPECT_EQ(viewer::pickable.pick(3, {0, 0}, 0.05f), &inside) << "entries past the count are not pickable";
  EXPECT_EQ(viewer::pickable.pick(0, {0, 0}, 0.05f), nullptr);
  (void)atRadius;
  (void)twin;
}

TEST_F(ViewerShell, PickMeasuresInTheDrawingPlaneOnly) {
  Vector3& lifted = add(0.1f, 0, 5);
  EXPECT_EQ(viewer::pickable.pick(viewer::allEntries, {0.1f, 0.04f}, 0.05f), &lifted);
}

TEST_F(ViewerShell, ButtonsPickDropOrKeepTheSelection) {
  Vector3& corner = add(0.5f, 0.5f);
  struct Row {
    const char* name;
    int button;
    int x, y;
    bool selectedAfter;
  } rows[] = {
      {"left on the corner selects", GLUT_LEFT_BUTTON, 480, 120, true},
      {"wheel up keeps it", 3, 10, 10, true},
      {"wheel down keeps it", 4, 20, 20, true},
      {"left far away drops it", GLUT_LEFT_BUTTON, 10, 10, false},
      {"left on the corner again", GLUT_LEFT_BUTTON, 481, 121, true},
      {"middle drops it", GLUT_MIDDLE_BUTTON, 480, 120, false},
      {"left once more", GLUT_LEFT_BUTTON, 480, 120, true},
      {"right drops it", GLUT_RIGHT_BUTTON, 480, 120, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    for (int state : {GLUT_DOWN, GLUT_UP}) {
      viewer::onMouse(row.button, state, row.x, row.y);
      EXPECT_EQ(viewer::selected, row.selectedAfter ? &corner : nullptr);
      EXPECT_EQ(viewer::cursor.x, viewer::toScene(row.x, row.y).x) << "every button event moves the cursor";
    }
  }
}

TEST_F(ViewerShell, DragMovesOnlyTheSelectedVertexOntoTheDrawingPlane) {
  Vector3& lifted = add(0.5f, 0.5f, 0.75f);
  Vector3& other = add(-0.5f, -0.5f);
  viewer::onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);  // empty space
  viewer::onDrag(480, 120);
  EXPECT_EQ(lifted, (Vector3{0.5f, 0.5f, 0.75f})) << "nothing selected, nothing moves";

  viewer::onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 480, 120);
  viewer::onDrag(160, 240);
  EXPECT_EQ(lifted, (Vector3{-0.5f, 0, 0}));
  EXPECT_EQ(other, (Vector3{-0.5f, -0.5f, 0}));
}

TEST_F(ViewerShell, RedisplayRequestsFollowTheSettings) {
  struct Row {
    const char* name;
    viewer::ViewerSettings settings;
    int afterButton, afterIdleDrag;
  } rows[] = {
      {"all off", allOff, 0, 0},
      {"all on", allOn, 1, 1},
      {"idle drag only", mixA, 0, 1},
      {"button only", mixB, 1, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    viewer::activeSettings = row.settings;
    int before = rig::window().redisplayRequests;
    viewer::onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
    EXPECT_EQ(rig::window().redisplayRequests - before, row.afterButton);
    before = rig::window().redisplayRequests;
    viewer::onDrag(20, 20);
    EXPECT_EQ(rig::window().redisplayRequests - before, row.afterIdleDrag);
    before = rig::window().redisplayRequests;
    viewer::onHover(30, 30);
    EXPECT_EQ(rig::window().redisplayRequests - before, 1);
  }
}

TEST_F(ViewerShell, TouchReachWidensThePickButNeverNarrowsIt) {
  // 640 x 480 and radius 0.05: a reach of 22 pixels is 22 * 2 / 480 = 0.0917 scene units.
  Vector3& point = add(0, 0);
  struct Row {
    const char* name;
    float reach;
    int x, y;
    bool picked;
  } rows[] = {
      {"mouse, 20 pixels across (0.0625)", 0, 340, 240, false},
      {"touch, 20 pixels across", 22, 340, 240, true},
      {"touch, 21 pixels down (0.0875)", 22, 320, 261, true},
      {"touch, 23 pixels down (0.0958)", 22, 320, 263, false},
      {"small reach keeps the radius, 15 pixels across (0.0469)", 2, 335, 240, true},
      {"not a number counts as none", std::nanf(""), 340, 240, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    viewer::pickReach = row.reach;
    viewer::selected = nullptr;
    viewer::onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, row.x, row.y);
    EXPECT_EQ(viewer::selected, row.picked ? &point : nullptr);
  }
  viewer::pickReach = 0;
}

int recomputations = 0;
void countRecomputation() { ++recomputations; }

TEST_F(ViewerShell, StateRoundTripsAndRefusesAWrongCountOrNonFiniteValues) {
  static constexpr const char* names[] = {"first", "second"};
  viewer::pointNames = names;
  viewer::activeCallbacks = {nullptr, viewer::onDrag, countRecomputation};
  Vector3& first = add(0.25f, 0.25f);
  Vector3& second = add(-0.5f, 0.5f, 0.75f);
  Vector3& unnamed = add(0.1f, 0.1f);
  viewer::selected = &unnamed;
  viewer::cursor = {0.3f, -0.2f};
  const int redisplays = rig::window().redisplayRequests;
  const viewer::ViewerState start = viewer::readState();
  ASSERT_EQ(start.points.size(), 2u);
  EXPECT_TRUE(start.points[1].x == -0.5f && start.points[1].y == 0.5f && start.cursor.x == 0.3f);

  const float inf = INFINITY;
  const viewer::ViewerState refused[] = {{{{1, 1}}, {0, 0}},
                                         {{{1, 1}, {1, 1}, {1, 1}}, {0, 0}},
                                         {{{1, 1}, {inf, 1}}, {0, 0}},
                                         {{{1, 1}, {1, 1}}, {0, inf}}};
  for (const viewer::ViewerState& state : refused) EXPECT_FALSE(viewer::setState(state));
  EXPECT_EQ(first, (Vector3{0.25f, 0.25f, 0}));
  EXPECT_EQ(viewer::cursor.x, 0.3f);
  EXPECT_EQ(recomputations, 0);
  EXPECT_EQ(rig::window().redisplayRequests, redisplays);

  ASSERT_TRUE(viewer::setState({{{0.125f, -0.375f}, {-0.5f, 0.5f}}, {0.7f, 0.9f}}));
  EXPECT_EQ(first, (Vector3{0.125f, -0.375f, 0}));
  EXPECT_EQ(second, (Vector3{-0.5f, 0.5f, 0})) << "a restored point lies on the drawing plane";
  EXPECT_EQ(unnamed, (Vector3{0.1f, 0.1f, 0}));
  EXPECT_TRUE(viewer::cursor.x == 0.7f && viewer::cursor.y == 0.9f);
  EXPECT_EQ(viewer::selected, &unnamed) << "a restore keeps the selection";
  EXPECT_EQ(recomputations, 1);
  EXPECT_EQ(rig::window().redisplayRequests, redisplays + 1);
  int x = 0, y = 0;
  EXPECT_TRUE(viewer::pointPixel(2, x, y) && x == 544 && y == 24) << "the cursor";
  EXPECT_FALSE(viewer::pointPixel(3, x, y));

  // A keyboard move selects the point and drags it there; the pixel reads back.
  viewer::movePoint(1, 480, 120);
  EXPECT_EQ(second, (Vector3{0.5f, 0.5f, 0}));
  EXPECT_EQ(viewer::selectedPoint(), 1);
  EXPECT_EQ(recomputations, 2);
  EXPECT_TRUE(viewer::pointPixel(1, x, y) && x == 480 && y == 120);
}

TEST_F(ViewerShell, PlainPositionsArePickedAndDraggedLikeStoreVertices) {
  std::vector<Vector3> triangle = {{0, 0.7f, 0}, {0.6f, -0.35f, 0}, {-0.6f, -0.35f, 0}};
  viewer::activeSettings = allOn;
  viewer::pickable = triangle;
  viewer::onReshape(640, 640);
  viewer::onMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 320, 100);  // (0, 0.6875)
  ASSERT_EQ(viewer::selected, &triangle[0]);
  viewer::onDrag(320, 320);
  EXPECT_EQ(triangle[0], (Vector3{0, 0, 0}));
  EXPECT_EQ(triangle[1], (Vector3{0.6f, -0.35f, 0}));
}

TEST_F(ViewerShell, TextDrawsEachCharacterAtTheRasterPosition) {
  viewer::drawText(-1, 0.9f, "");
  viewer::drawText(Vector3{-0.5f, 0.25f, 7}, "ab");
  const std::vector<rig::Call>& calls = rig::callsSinceDisplay();
  ASSERT_EQ(names(calls),
            (std::vector<std::string>{"glRasterPos2f", "glRasterPos2f", "glutBitmapCharacter", "glutBitmapCharacter"}));
  EXPECT_EQ(calls[0].args, (std::vector<double>{-1, 0.9f}));
  EXPECT_EQ(calls[1].args, (std::vector<double>{-0.5f, 0.25f}));
  EXPECT_EQ(calls[2].args, (std::vector<double>{'a'}));
}

TEST(ViewerExplanation, NumbersAreWrittenToFourDecimalsWithoutTrailingZeros) {
  const struct {
    float value;
    const char* text;
  } rows[] = {
      {std::nanf(""), "NaN"},       {INFINITY, "inf"}, {-INFINITY, "-inf"}, {-0.0f, "0"},  {0, "0"},
      {0.16666f, "0.1667"},         {2.0f, "2"},       {1e-5f, "0"},        {-1e-5f, "0"}, {-0.5f, "-0.5"},
      {123456.789f, "123456.7891"},
  };
  for (const auto& row : rows) EXPECT_EQ(viewer::explainNumber(row.value), row.text) << row.value;
}

}  // namespace
