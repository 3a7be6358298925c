#include "app/camera.h"
#include "gl_window.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

using namespace floebound;

namespace {

constexpr int width = 320;
constexpr int height = 240;

class Hud : public ::testing::Test {
protected:
    static void SetUpTestSuite() { open_gl_window(width, height); }
    void SetUp() override {
        camera.screen_width = width;
        camera.screen_height = height;
        camera.hud_depth = 0;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

GLint stack_depth(GLenum which) {
    GLint depth = 0;
    glGetIntegerv(which, &depth);
    return depth;
}

}  // namespace

TEST_F(Hud, QuadAtOriginCoversTheTopLeftPixels) {
    begin_hud(camera);
    glColor3f(1, 0, 0);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(10, 0);
    glVertex2f(10, 10);
    glVertex2f(0, 10);
    glEnd();
    end_hud(camera);

    EXPECT_EQ(pixel_at(0, 0)[0], 255);
    EXPECT_EQ(pixel_at(9, 9)[0], 255);
    EXPECT_EQ(pixel_at(9, 0)[0], 255);
    EXPECT_EQ(pixel_at(10, 10)[0], 0);
    EXPECT_EQ(pixel_at(0, 10)[0], 0);
    EXPECT_EQ(pixel_at(10, 0)[0], 0);
    EXPECT_EQ(pixel_at(5, height - 5)[0], 0);  // not mirrored to the bottom
}

TEST_F(Hud, NestedPairsTouchTheMatricesOnceAndRestoreDepthTesting) {
    const GLint modelview = stack_depth(GL_MODELVIEW_STACK_DEPTH);
    const GLint projection = stack_depth(GL_PROJECTION_STACK_DEPTH);
    begin_hud(camera);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    begin_hud(camera);
    EXPECT_EQ(camera.hud_depth, 2);
    EXPECT_EQ(stack_depth(GL_MODELVIEW_STACK_DEPTH), modelview + 1);
    EXPECT_EQ(stack_depth(GL_PROJECTION_STACK_DEPTH), projection + 1);
    end_hud(camera);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(stack_depth(GL_MODELVIEW_STACK_DEPTH), modelview + 1);
    end_hud(camera);
    EXPECT_EQ(camera.hud_depth, 0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(stack_depth(GL_MODELVIEW_STACK_DEPTH), modelview);
    EXPECT_EQ(stack_depth(GL_PROJECTION_STACK_DEPTH), projection);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(Hud, UnmatchedEndIsReportedAndChangesNothing) {
    const GLint modelview = stack_depth(GL_MODELVIEW_STACK_DEPTH);
    ::testing::internal::CaptureStdout();
    end_hud(camera);
    std::fflush(stdout);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Assert failed: hud depth already ended.\n");
    EXPECT_EQ(camera.hud_depth, 0);
    EXPECT_EQ(stack_depth(GL_MODELVIEW_STACK_DEPTH), modelview);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(Hud, ApplyCameraKeepsTheViewMatrixWithRightAndUpRows) {
    camera.eye.x = 0;
    camera.eye.y = 0;
    camera.eye.z = 500;  // looking down -z: right is +x, up is +y
    apply_camera(camera);
    EXPECT_NEAR(camera.view_matrix[0], 1, 1e-5);
    EXPECT_NEAR(camera.view_matrix[4], 0, 1e-5);
    EXPECT_NEAR(camera.view_matrix[8], 0, 1e-5);
    EXPECT_NEAR(camera.view_matrix[1], 0, 1e-5);
    EXPECT_NEAR(camera.view_matrix[5], 1, 1e-5);
    EXPECT_NEAR(camera.view_matrix[9], 0, 1e-5);
    EXPECT_NEAR(camera.view_matrix[14], -500, 1e-3);

    camera.eye.x = 500;  // from +x: right is -z
    camera.eye.z = 0;
    apply_camera(camera);
    EXPECT_NEAR(camera.view_matrix[0], 0, 1e-5);
    EXPECT_NEAR(camera.view_matrix[8], -1, 1e-5);
}
