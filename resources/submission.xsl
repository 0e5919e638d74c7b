<?xml version="1.0" encoding="UTF-8"?>
<!-- Renders an exported profile (one "profile" element) as a submission report
     in a browser: the site, its owner, and every directory the site was sent to,
     with the page that lists the site and whether its link is followed. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="yes"
              doctype-system="about:legacy-compat"/>

  <xsl:template match="/profile">
    <html lang="en">
      <head>
        <title>Submission report: <xsl:value-of select="name"/></title>
        <style>
          body { font-family: Verdana, Arial, sans-serif; font-size: 13px; color: #222; margin: 24px; }
          h1 { font-size: 20px; margin-bottom: 4px; }
          h2 { font-size: 15px; margin-top: 24px; border-bottom: 1px solid #9ab; }
          dl { display: grid; grid-template-columns: max-content auto; gap: 2px 16px; }
          dt { font-weight: bold; }
          dd { margin: 0; }
          table { border-collapse: collapse; width: 100%; }
          th, td { border: 1px solid #bcc8d4; padding: 4px 6px; text-align: left; vertical-align: top; }
          th { background: #dfe8f1; }
          tr:nth-child(even) td { background: #f5f8fb; }
          td.approved { color: #176117; font-weight: bold; }
          .summary { color: #555; }
        </style>
      </head>
      <body>
        <h1>Submission report: <xsl:value-of select="name"/></h1>
        <p class="summary">
          <xsl:value-of select="concat('Sent to ', count(submittedto), ' directories, approved in ',
                                       count(submittedto[@approved]), '.')"/>
        </p>

        <h2>Site</h2>
        <dl>
          <dt>Profile</dt><dd><xsl:value-of select="name"/></dd>
          <dt>Address</dt><dd><xsl:call-template name="link"><xsl:with-param name="url" select="url"/></xsl:call-template></dd>
          <dt>Categories</dt><dd><xsl:value-of select="categories"/></dd>
        </dl>

        <h2>Contact</h2>
        <dl>
          <dt>Name</dt><dd><xsl:value-of select="normalize-space(concat(fname, ' ', lname))"/></dd>
          <dt>E-mail</dt><dd><xsl:value-of select="email"/></dd>
          <dt>Address</dt><dd><xsl:value-of select="address"/></dd>
          <dt>City</dt><dd><xsl:value-of select="normalize-space(concat(zip, ' ', city))"/></dd>
          <dt>State or province</dt><dd><xsl:value-of select="province"/></dd>
        </dl>

        <h2>Directories</h2>
        <xsl:choose>
          <xsl:when test="submittedto">
            <table>
              <thead>
                <tr>
                  <th>#</th><th>Directory</th><th>URL</th><th>Title</th><th>Description</th>
                  <th>Keywords</th><th>Date</th><th>Approved</th><th>Listing page</th><th>Link</th>
                </tr>
              </thead>
              <tbody>
                <xsl:apply-templates select="submittedto"/>
              </tbody>
            </table>
          </xsl:when>
          <xsl:otherwise>
            <p>The site has not been sent to any directory yet.</p>
          </xsl:otherwise>
        </xsl:choose>
      </body>
    </html>
  </xsl:template>

  <xsl:template match="submittedto">
    <tr>
      <td><xsl:value-of select="position()"/></td>
      <td><xsl:value-of select="friendlyname"/></td>
      <td><xsl:call-template name="link"><xsl:with-param name="url" select="url"/></xsl:call-template></td>
      <td><xsl:value-of select="title"/></td>
      <td><xsl:value-of select="description"/></td>
      <td><xsl:value-of select="keywords"/></td>
      <td><xsl:value-of select="datetime"/></td>
      <xsl:choose>
        <xsl:when test="@approved"><td class="approved">yes</td></xsl:when>
        <xsl:otherwise><td>no</td></xsl:otherwise>
      </xsl:choose>
      <!-- The directory's last listing verification, when it found the listing. -->
      <xsl:variable name="listing" select="../listing[@directory = current()/friendlyname and @state = 'listed']"/>
      <td>
        <xsl:if test="$listing">
          <xsl:call-template name="link"><xsl:with-param name="url" select="string($listing/@page)"/></xsl:call-template>
        </xsl:if>
      </td>
      <xsl:choose>
        <xsl:when test="not($listing)"><td></td></xsl:when>
        <xsl:when test="string($listing/@rel) = ''"><td class="approved">followed</td></xsl:when>
        <xsl:otherwise><td><xsl:value-of select="$listing/@rel"/></td></xsl:otherwise>
      </xsl:choose>
    </tr>
  </xsl:template>

  <!-- Web addresses become links; anything else (a script address) stays text. -->
  <xsl:template name="link">
    <xsl:param name="url"/>
    <xsl:choose>
      <xsl:when test="starts-with($url, 'http://') or starts-with($url, 'https://')">
        <a href="{$url}"><xsl:value-of select="$url"/></a>
      </xsl:when>
      <xsl:otherwise><xsl:value-of select="$url"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>
</xsl:stylesheet>
