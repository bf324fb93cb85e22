// The window and event loop, apart from the rest of the shell so that code which
// never opens a window links without the window calls.
#include <GL/glut.h>
#include <geometry/contract.h>
#include <viewer/viewer.h>

namespace viewer {

int runViewer(int argc, char** argv, const ViewerSettings& settings, PickSource source,
              const ViewerCallbacks& callbacks, std::span<const char* const> names) {
  if (names.size() > std::min(settings.pickableEntries, source.size()))
    geometry::contractViolation("runViewer", "more point names than pickable entries");
  activeSettings = settings;
  activeCallbacks = callbacks;
  pickable = source;
  pointNames = names;
  windowWidth = settings.windowWidth;
  windowHeight = settings.windowHeight;
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(windowWidth, windowHeight);
  glutCreateWindow("zembrola");
  glutDisplayFunc(callbacks.display);
  glutReshapeFunc(onReshape);
  glutMouseFunc(onMouse);
  glutMotionFunc(callbacks.drag);
  if (settings.passiveMotion) glutPassiveMotionFunc(onHover);
  glutMainLoop();
  return 0;
}

}  // namespace viewer
